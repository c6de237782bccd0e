#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test layer:
#   native unit tests (also under AddressSanitizer/UBSan), libFuzzer runs, the shipped 32-bit exe's
#   PE checks, clang-format and clang-tidy, and the Windows platform, stand-in and end-to-end tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-prerequisites.sh
jobs=$(nproc)

step() { printf '\n==== %s\n' "$*"; }

step "native: core and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

step "native: unit tests under AddressSanitizer and UBSan"
cmake --preset native-sanitize >/dev/null
cmake --build --preset native-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 ctest --preset native-sanitize -j "$jobs"

step "native: fuzzing the command line and stored registry data (libFuzzer, a minute each)"
cmake --preset native-fuzz >/dev/null
cmake --build --preset native-fuzz -j "$jobs"
ctest --preset native-fuzz -j "$jobs"

step "windows (i686): the shipped kelvano.exe"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"

source scripts/wine-env.sh
kelvano_wine_start
# Wine runs the 32-bit build where the kernel runs 32-bit code, the x64 build elsewhere.
if [ "$KELVANO_WINE_ARCH" = win32 ]; then
  wine_preset=windows
else
  wine_preset=windows-x64
  step "windows-x64: the same sources for Wine on this 64-bit-only host"
  cmake --preset windows-x64 >/dev/null
  cmake --build --preset windows-x64 -j "$jobs"
  ctest --preset windows -R kelvano_pe_check
fi

step "static checks: clang-format on every C++ file, clang-tidy on the program's sources in both builds"
scripts/static-checks.sh build/native "build/$wine_preset"

step "$wine_preset: platform, stand-in and end-to-end tests under Wine ($KELVANO_WINE_ARCH prefix)"
ctest --preset "$wine_preset" --timeout 600
