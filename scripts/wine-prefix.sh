#!/usr/bin/env bash
# Source this: sets up an isolated Wine prefix inside a build folder.
#   source scripts/wine-prefix.sh <build-dir> [headless|display]
# headless: Wine's null graphics driver, no X display needed.
# display:  the X11 driver with unmanaged windows, for screenshots.
vrx_build_dir=$(realpath "$1")
vrx_wine_mode=${2:-headless}
export WINEPREFIX="$vrx_build_dir/wineprefix-$vrx_wine_mode"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono/Gecko install prompts
VRX_WINE=/usr/lib/wine/wine64
VRX_WINESERVER=/usr/lib/wine/wineserver

vrx_wine_init() {
  local stamp="$WINEPREFIX/.vrx-$vrx_wine_mode"
  if [ ! -f "$stamp" ]; then
    rm -f "$WINEPREFIX"/.vrx-*
    if [ "$vrx_wine_mode" = headless ]; then
      (unset DISPLAY; "$VRX_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f) >/dev/null 2>&1
    else
      "$VRX_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1
      "$VRX_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
      "$VRX_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d Y /f >/dev/null 2>&1
    fi
    # The dialogs ask for "MS UI Gothic", which is proportional; without this
    # Wine falls back to the fixed-pitch IPA Gothic and wide captions clip.
    "$VRX_WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "MS UI Gothic" /d "IPAPGothic" /f >/dev/null 2>&1
    # A crash ends the program at once: the automatic debugger would wait
    # forever for nobody, holding the test run.
    "$VRX_WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d "" /f >/dev/null 2>&1
    # Debian's wine does not find its own fonts otherwise.
    mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    "$VRX_WINESERVER" -w
    touch "$stamp"
  fi
}

# Starts the wineserver and Wine's services with /dev/null as their output, so
# they never hold a pipe of ctest's open (ctest would then wait forever).
vrx_wine_warm() {
  # Fails harmlessly when a server for this prefix already runs.
  "$VRX_WINESERVER" -p </dev/null >/dev/null 2>&1 || true
  "$VRX_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# A private Xvfb display for this run: exported as DISPLAY, stopped together
# with the Wine server by vrx_display_stop (set it as the EXIT trap). Xvfb
# keeps its screen in a file, which vrx_screen_xwd reads.
vrx_display_start() {
  local number=$(( 90 + RANDOM % 100 ))
  # A number in use would leave DISPLAY pointing at somebody else's server.
  while [ -e "/tmp/.X$number-lock" ]; do number=$(( 90 + RANDOM % 100 )); done
  vrx_screen_dir=$(mktemp -d)
  Xvfb ":$number" -nolisten tcp -screen 0 1600x1000x24 -fbdir "$vrx_screen_dir" >/dev/null 2>&1 &
  vrx_xvfb_pid=$!
  export DISPLAY=:$number
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

# The whole screen of $DISPLAY as an XWD image on standard output. Not
# `xwd -root`: Wine gives its windows a colormap of their own, which sends
# xwd down its multi-visual path; that reads a window lying wholly inside
# another Wine window (a dialog over the main window, a popup menu) through
# the window beneath, whose hidden part comes back black.
vrx_screen_xwd() {
  if [ -n "${vrx_screen_dir:-}" ]; then
    cat "$vrx_screen_dir/Xvfb_screen0"   # Xvfb's own screen memory
  else
    import -silent -window root xwd:-   # one read of the root, as a VNC server does
  fi
}

vrx_display_stop() {
  vrx_wine_stop
  [ -n "${vrx_xvfb_pid:-}" ] && kill "$vrx_xvfb_pid" 2>/dev/null || true
  [ -n "${vrx_screen_dir:-}" ] && rm -rf "$vrx_screen_dir" || true
}

vrx_wine_stop() {
  "$VRX_WINESERVER" -k >/dev/null 2>&1 || true
}
