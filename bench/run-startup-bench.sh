#!/usr/bin/env bash
# Start-up benchmark under Wine: `kelvano.exe Hello` beside minimal.exe (a program that does
# nothing, built with the same flags) and imports_only.exe (the same, importing kelvano's DLLs),
# measured from inside Wine (startup_bench.exe) and from Linux (linux_startup.py), then the sizes of the shipped 32-bit kelvano.exe and of the x64 one.
#   bench/run-startup-bench.sh [RUNS]    (default 20 runs of each, in turn)
# KELVANO_BENCH_BUILD: the build directory of the runnable preset (default build/bench-x86 or build/bench-x64).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
runs=${1:-20}

preset=windows arch=x86
/usr/lib/wine/wine --version >/dev/null 2>&1 || { preset=windows-x64; arch=x64; }  # no 32-bit code on this kernel
build=${KELVANO_BENCH_BUILD:-$root/build/bench-$arch}
[ -f "$build/CMakeCache.txt" ] || cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" -j2 --target kelvano minimal imports_only startup_bench >/dev/null
# The shipped executable: the 32-bit preset, built whether or not this machine can run it.
cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target kelvano minimal >/dev/null

source scripts/wine-env.sh
kelvano_wine_start
winpath() { printf 'Z:%s' "${1//\//\\}"; }
# Let the fresh prefix settle before anything is timed.
"$KELVANO_WINE" "$build/kelvano.exe" Hello </dev/null >/dev/null 2>&1 || true
sleep 2

printf 'Wine %s under %s, %s cores, load average %s\n\n' "$("$KELVANO_WINE" --version)" "$KELVANO_WINE" \
  "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)"

# Wine's output goes to a file, not a pipe (its background processes would keep a pipe open).
out=$KELVANO_WINE_TMP/startup_bench.txt
timeout 600 "$KELVANO_WINE" "$build/bench/startup_bench.exe" --kelvano="$(winpath "$build/kelvano.exe")" \
  --minimal="$(winpath "$build/bench/minimal.exe")" --imports="$(winpath "$build/bench/imports_only.exe")" \
  --runs="$runs" </dev/null >"$out" 2>&1
tr -d '\r' <"$out"
echo
timeout 600 python3 bench/linux_startup.py "$runs" "$(command -v "$KELVANO_WINE")" \
  "kelvano.exe Hello" "$build/kelvano.exe" Hello "minimal.exe" "$build/bench/minimal.exe" "" \
  "imports_only.exe" "$build/bench/imports_only.exe" ""

kib() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%7.1f KiB (%d bytes)", b / 1024, b }'; }
shipped=$root/build/windows/kelvano.exe
echo
printf 'Sizes (MinSizeRel, stripped, static run-time)\n'
printf '  %-44s %s  goal < 300 KiB: %s\n' "build/windows/kelvano.exe (i686, shipped)" "$(kib "$shipped")" \
  "$([ "$(stat -c %s "$shipped")" -lt $((300 * 1024)) ] && echo met || echo NOT MET)"
printf '  %-44s %s\n' "${build#"$root"/}/kelvano.exe ($preset)" "$(kib "$build/kelvano.exe")"
printf '  %-44s %s\n' "build/windows/bench/minimal.exe (i686)" "$(kib "$root/build/windows/bench/minimal.exe")"
printf '  %-44s %s\n' "${build#"$root"/}/bench/minimal.exe ($preset)" "$(kib "$build/bench/minimal.exe")"
