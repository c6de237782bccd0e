# Sourced by the test and demo scripts: a throwaway Wine prefix, a display and one
# persistent wineserver for the whole run; everything is removed on exit.
#   KELVANO_WINE_ARCH   "win32" when this host runs 32-bit code, else "win64" (set here)
#   KELVANO_WINE        the wine loader matching the build that runs under it (set here)

kelvano_wine_cleanup() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  [ -n "${KELVANO_XVFB_PID:-}" ] && kill "$KELVANO_XVFB_PID" >/dev/null 2>&1 || true
  [ -n "${KELVANO_WINE_TMP:-}" ] && rm -rf "$KELVANO_WINE_TMP"
}

kelvano_wine_start() {
  KELVANO_WINE_TMP=$(mktemp -d /tmp/kelvano-wine.XXXXXX)
  export WINEPREFIX="$KELVANO_WINE_TMP/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  trap kelvano_wine_cleanup EXIT

  # 32-bit Wine needs a kernel that runs 32-bit code; otherwise the x64 build runs under wine64.
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    export KELVANO_WINE_ARCH=win32 KELVANO_WINE=wine WINEARCH=win32
  else
    export KELVANO_WINE_ARCH=win64 KELVANO_WINE=/usr/lib/wine/wine64 WINEARCH=win64
  fi

  # A private X display; without one no window can be created.
  local d
  for d in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$d" ] || [ -e "/tmp/.X$d-lock" ] && continue
    Xvfb ":$d" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    KELVANO_XVFB_PID=$!
    export DISPLAY=":$d"
    break
  done
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done

  "$KELVANO_WINE" wineboot -i >/dev/null 2>&1 </dev/null
  wineserver -w
  # No window manager: unmanaged windows avoid Wine's 2 s wait on every hide.
  "$KELVANO_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null
  wineserver -w
  # One server for the whole run; its output must not hold a pipe open.
  wineserver -p >/dev/null 2>&1 </dev/null
  # Start Wine's services now, with no pipe to hold: the first test program would otherwise
  # start them and they would keep the test runner's output pipe open.
  "$KELVANO_WINE" cmd /c exit >/dev/null 2>&1 </dev/null
}
