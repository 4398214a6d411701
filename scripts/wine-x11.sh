# Wine with its normal graphics driver on an Xvfb display of its own, for the Windows screenshots. Sourced
# by scripts/windows-screenshot and scripts/windows-tessel-screenshot.
#   wine_x11_start BUILD DPI SCREEN   a prefix of its own for the DPI (LogPixels; 144 is the 150 % setting),
#                                     Xvfb at SCREEN (WIDTHxHEIGHTxDEPTH); sets CORVANE_WINEPREFIX, DISPLAY
#                                     and wine_x11_work, a scratch folder
#   wine_x11_stop                     ends the Wine server and Xvfb and removes the scratch folder
wine_x11_server=wineserver
wine_x11_xvfb=""
wine_x11_work=""

wine_x11_start() {
  local build=$1 dpi=$2 screen=$3
  # The tests' prefix draws nowhere: these pictures take one with the normal driver.
  export CORVANE_WINEPREFIX=$build/wine-x11
  [ "$dpi" = 96 ] || CORVANE_WINEPREFIX=$build/wine-x11-$dpi
  wine_x11_server=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
  wine_x11_work=$(mktemp -d)
  local display=:$((100 + $$ % 400))
  Xvfb "$display" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
  wine_x11_xvfb=$!
  export DISPLAY=$display
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  "$CORVANE_ROOT/scripts/wine-run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >/dev/null 2>&1
  # The server keeps the old value until it starts again.
  WINEPREFIX=$CORVANE_WINEPREFIX "$wine_x11_server" -k >/dev/null 2>&1 || true
  WINEPREFIX=$CORVANE_WINEPREFIX "$wine_x11_server" -w >/dev/null 2>&1 || true
}

wine_x11_stop() {
  [ -n "$wine_x11_work" ] && WINEPREFIX=$CORVANE_WINEPREFIX "$wine_x11_server" -k >/dev/null 2>&1 || true
  [ -n "$wine_x11_xvfb" ] && kill "$wine_x11_xvfb" 2>/dev/null || true
  [ -n "$wine_x11_work" ] && rm -rf "$wine_x11_work" || true
}
