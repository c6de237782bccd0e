#!/usr/bin/env bash
# clang-format on every C++ file; clang-tidy on the program's own sources in both builds:
# the portable core through the native build, the Win32 layer through a Windows build.
#   scripts/static-checks.sh NATIVE_BUILD_DIR WINDOWS_BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
native=$1 windows=$2

mapfile -t all < <(git ls-files '*.cpp' '*.h')
clang-format --dry-run -Werror "${all[@]}"
echo "static-checks: clang-format: ${#all[@]} files clean"

# The cross compiler's own include directories, so clang reads the headers it compiles against.
compiler=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))[0]["command"].split()[0])' \
             "$windows/compile_commands.json")
triple=$(basename "$compiler" | sed 's/-g++.*//')
extra=(--extra-arg-before=--target="$triple")
while read -r dir; do
  extra+=(--extra-arg-before=-isystem"$dir")
done < <("$compiler" -E -x c++ - -v </dev/null 2>&1 |
           sed -n '/#include <...> search starts here/,/End of search/{/^ /s/^ //p}' |
           grep -E '/include/c\+\+|mingw32/include$')  # not gcc's own intrinsics: clang has its own

mapfile -t core < <(git ls-files 'src/*.cpp' ':!src/platform/win32/*')
mapfile -t win32 < <(git ls-files 'src/platform/win32/*.cpp')
tidy() { printf '%s\n' "${@:2}" | xargs -P "$(nproc)" -n 4 clang-tidy --quiet -p "$1" "${extra_for_dir[@]}" 2>/dev/null; }
extra_for_dir=()
tidy "$native" "${core[@]}"
extra_for_dir=("${extra[@]}")
tidy "$windows" "${win32[@]}"
echo "static-checks: clang-tidy: ${#core[@]} core and ${#win32[@]} Win32 files clean"
