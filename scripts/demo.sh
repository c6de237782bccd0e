#!/usr/bin/env bash
# A demonstration of kelvano.exe under Wine: installs what is missing, builds, prepares a
# throwaway Wine prefix with the stand-in converter driver and Office applications, and runs
# the program through a realistic life, printing what each step changed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/install-prerequisites.sh
source scripts/wine-env.sh
kelvano_wine_start
preset=windows
[ "$KELVANO_WINE_ARCH" = win64 ] && preset=windows-x64
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)" --target kelvano standinctl standin_driver standin_office host_app url_recorder >/dev/null
build=$root/build/$preset

winpath() { printf 'Z:%s' "${1//\//\\}"; }
run() { "$KELVANO_WINE" "$@" </dev/null 2>/dev/null | tr -d '\r'; }
ctl() { run "$build/standins/standinctl.exe" "$@"; }
reg_query() { run reg query "$@" 2>/dev/null | sed '/^$/d' || true; }
access_key='HKCU\Software\Ostrevan LLC\Harrowdesk\Defaults\AccessToolbars'
recorded='HKCU\Software\Kelvano Tests'

# One line per thing the program may change.
state() {
  ctl show | awk '
    function flush_bar() { if (bar != "") { line = line sep bar (controls != "" ? "[" controls "]" : ""); sep = ", " } bar = ""; controls = "" }
    function flush_app() { flush_bar(); if (app != "") print line; app = "" }
    /^Converter driver:/ { sub(/^Converter driver: [^;]*; */, ""); printf "%-20s %s\n", "Converter driver", $0; next }
    /^[A-Za-z]+\.Application:/ { flush_app(); app = $1; sub(/\.Application:$/, "", app); line = sprintf("%-20s ", app); sep = ""; next }
    /^  bar / { flush_bar(); match($0, /"[^"]*"/); bar = substr($0, RSTART + 1, RLENGTH - 2); next }
    /^    control/ { match($0, /tag "[^"]*"/); controls = controls (controls != "" ? " " : "") substr($0, RSTART + 5, RLENGTH - 6); next }
    END { flush_app() }'
  local values
  values=$(reg_query "$access_key" | awk '/ToolBar/ { name = $1; $1 = ""; $2 = ""; sub(/^ +/, ""); printf "%s%s=%s", sep, name, $0; sep = "; " }')
  printf '%-20s %s\n' "Access toolbar list" "${values:-(no key)}"
  values=$(reg_query "$recorded" /v RecordedUrl | awk '/RecordedUrl/ { print $3 }')
  printf '%-20s %s\n' "Shell was asked" "${values:-(nothing)}"
}

# Runs kelvano.exe with the given argument and shows the state before and after, side by side.
step() {
  local title=$1 argument=$2 before after code
  before=$(state)
  local started=$SECONDS
  set +e
  run "$build/kelvano.exe" "$argument" >/dev/null
  code=$?
  set -e
  local took=$((SECONDS - started))
  sleep 1  # the shell starts the browser (our recorder) after kelvano has ended
  after=$(state)
  printf '\n==== %s: kelvano.exe %s\n' "$title" "$argument"
  printf '     exit code %s, after %s s\n\n' "$code" "$took"
  diff --side-by-side --width=196 --expand-tabs <(printf 'BEFORE\n%s\n' "$before") <(printf 'AFTER\n%s\n' "$after") || true
}

# The machine: the driver registered, the printer not yet installed; six Office applications
# with the add-in's bar; Access with the add-in's e-mail button on two toolbars.
ctl register driver "$(winpath "$build/standins/standin_driver.dll")"
ctl register office all "$(winpath "$build/standins/standin_office.dll")"
ctl reset
ctl driver-setup
for app in PowerPoint Excel Publisher MSProject Word Visio; do
  ctl office-setup "$app.Application" "Standard" "Ostrevan Kelvano:1/Ostrevan_Convert/Convert to PDF" "Formatting"
done
ctl office-setup Access.Application "Database:1/Ostrevan_EmailPDF/E-mail as PDF,1/Print/Print" \
  "Form View:1/Ostrevan_EmailPDF/E-mail as PDF" "Web"
run reg add 'HKLM\Software\Classes\http\shell\open\command' /ve /d \
  "\"$(winpath "$build/tests/e2e/url_recorder.exe")\" \"%1\"" /f >/dev/null
run reg delete 'HKLM\Software\Classes\http\shell\open\ddeexec' /f >/dev/null || true

step "Install the converter printer" Install_1231

# Poll mode: the add-in passes its host window; the session is held until that window closes.
host_out=$KELVANO_WINE_TMP/host.txt
"$KELVANO_WINE" "$build/standins/host_app/host_app.exe" 3 >"$host_out" 2>/dev/null </dev/null &
host=$!
for _ in $(seq 100); do [ -s "$host_out" ] && break; sleep 0.1; done
handle=$(tr -d '\r\n' <"$host_out")
step "Poll while the host window $handle exists (it closes after 3 s)" \
  "tebuk=7718yqzoxihar:mc=[93=6602H471}{&}{%,$handle"
wait "$host" || true

step "Uninstall: remove the add-in's bars and buttons, then the printer" Remove_1231
step "Open the maker's home page" OstrevanHomePage
step "Open the knowledge base" KelvanoKnowledgeBase
step "An unknown word does nothing" Hello

printf '\n==== The converter driver saw these calls:\n'
ctl log driver | sed 's/^/  /'
