#!/usr/bin/env bash
# Checks what installers rely on in the shipped kelvano.exe: a GUI-subsystem PE, ASLR and
# DEP on, only Windows' own DLLs imported, the version resource and the asInvoker manifest.
set -euo pipefail
exe=$1
# The x64 objdump reads both PE formats.
objdump=${OBJDUMP:-objdump}
for candidate in x86_64-w64-mingw32-objdump i686-w64-mingw32-objdump; do
  command -v "$candidate" >/dev/null && objdump=$candidate && break
done

headers=$("$objdump" -p "$exe")
fail() { echo "check-pe: $exe: $*" >&2; exit 1; }

grep -Eq 'file format pei-(i386|x86-64)' <<<"$headers" || fail "not a Windows PE"
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not the GUI subsystem"
characteristics=$(awk '/^DllCharacteristics/ {print $2}' <<<"$headers")
(( 0x$characteristics & 0x40 )) || fail "ASLR (dynamic base) is off"
(( 0x$characteristics & 0x100 )) || fail "DEP (NX compatible) is off"

# Loaded at start: kernel32 and the C run-time only; every other Windows DLL is delay-loaded
# (cmake/delayload), so a run that does nothing starts like a program that does nothing.
allowed='^(kernel32|msvcrt|api-ms-win-crt-[a-z0-9-]+|ucrtbase)\.dll$'
while read -r dll; do
  grep -Eiq "$allowed" <<<"$dll" || fail "imports $dll at start (a function missing from cmake/delayload/*.def?)"
done < <(awk '/DLL Name:/ {print $3}' <<<"$headers")

text=$(iconv -f UTF-16LE -t UTF-8 -c <"$exe" | tr -c '[:print:]' '\n')
grep -q 'FileVersion' <<<"$text" && grep -Fq '1.00' <<<"$text" || fail "no file version 1.00"
grep -q 'OriginalFilename' <<<"$text" && grep -Fq 'kelvano.exe' <<<"$text" || fail "no original file name"
grep -aq 'level="asInvoker"' "$exe" || fail "no asInvoker manifest"
if grep -aq 'activeCodePage' "$exe"; then fail "the manifest must not set activeCodePage"; fi

echo "check-pe: $exe: ok ($(stat -c %s "$exe") bytes)"
