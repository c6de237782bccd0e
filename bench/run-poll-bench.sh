#!/usr/bin/env bash
# Poll-mode benchmark under Wine: builds what it needs, prepares a throwaway prefix with the
# stand-in converter driver registered, runs poll_bench.exe against kelvano.exe and prints its
# figures beside their goals.
#   bench/run-poll-bench.sh [poll_bench options: --runs=5 --watch=20 --probes=10 --close-runs=3]
# KELVANO_BENCH_BUILD: the build directory to use (default build/bench-x86 or build/bench-x64).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

preset=windows arch=x86
/usr/lib/wine/wine --version >/dev/null 2>&1 || { preset=windows-x64; arch=x64; }  # no 32-bit code on this kernel
build=${KELVANO_BENCH_BUILD:-$root/build/bench-$arch}
[ -f "$build/CMakeCache.txt" ] || cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" -j2 --target kelvano standinctl standin_driver poll_bench >/dev/null

source scripts/wine-env.sh
kelvano_wine_start

winpath() { printf 'Z:%s' "${1//\//\\}"; }
ctl() { "$KELVANO_WINE" "$build/standins/standinctl.exe" "$@" </dev/null >/dev/null 2>&1; }
ctl register driver "$(winpath "$build/standins/standin_driver.dll")"
ctl reset
ctl driver-setup
# Let the fresh prefix settle (services, RPC) before anything is timed.
"$KELVANO_WINE" "$build/kelvano.exe" Hello </dev/null >/dev/null 2>&1 || true
sleep 2

# This prefix's wineserver (other prefixes may have their own running).
server_pid=0
for pid in $(pgrep wineserver || true); do
  if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then server_pid=$pid; fi
done

printf 'kelvano.exe  %s (%s, %s bytes)\n' "$build/kelvano.exe" "$preset" "$(stat -c %s "$build/kelvano.exe")"
printf 'Wine         %s under %s, %s cores, load average %s\n\n' "$("$KELVANO_WINE" --version)" \
  "$KELVANO_WINE" "$(nproc)" "$(cut -d' ' -f1-3 /proc/loadavg)"

# Wine's output goes to a file, not a pipe (its background processes would keep a pipe open).
out=$KELVANO_WINE_TMP/poll_bench.txt
: >"$out"
timeout 1800 "$KELVANO_WINE" "$build/bench/poll_bench.exe" --kelvano="$(winpath "$build/kelvano.exe")" \
  --prefix="$WINEPREFIX" --server-pid="$server_pid" --clk-tck="$(getconf CLK_TCK)" "$@" \
  </dev/null >"$out" 2>&1 &
bench=$!
tail -f --pid="$bench" "$out" | tr -d '\r'
wait "$bench"
