#!/usr/bin/env bash
# Parameter dialogs opened by a real click on the console's main window reach
# the screen: each dialog's rectangle, cut from a capture of the whole screen,
# is not one uniform colour. Runs on a private Xvfb against the win64 build
# (VrxClient, ZembrinPrinter, vrx_control_rect, vrx_ja_locale). With
# VRX_SCREEN_SHOTS=<folder> it keeps each whole-screen capture there.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
build=$root/build/win64

# Button id on the main window, and the caption of the dialog it opens.
cases=(
  "IDC_LIB_OPEN vrxLibOpen"
  "IDC_DEV_START_ORDER vrxDevStartOrder"
  "IDC_DEV_BLANK_PRINT vrxDevBlankPrint"
  "IDC_DEV_CANCEL_PRINT_ORDER vrxDevCancelPrintOrder"
  "IDC_DEV_PRINT vrxDevPrint"
)

export LOCPATH=$build/tests/locale
source scripts/wine-prefix.sh "$build" display
work=$(mktemp -d)
trap 'status=$?; vrx_display_stop; rm -rf "$work"; exit $status' EXIT
vrx_display_start
vrx_wine_init

resource_id() { awk -v name="$1" '$1 == "#define" && $2 == name { print $3 }' "$root/resources/resource.h"; }
# The X window of a mapped top-level window with this caption, or nothing.
x_window() { xwininfo -root -tree | awk -v name="\"$1\":" '$2 == name { print $1; exit }'; }
# Waits until a command succeeds; a bound on waiting, not a measure of speed.
wait_until() {
  for _ in $(seq 150); do "$@" && return 0; sleep 0.2; done
  return 1
}
gray_spread() { convert "$1" -colorspace Gray -format '%[fx:standard_deviation]' info:; }
# Until the window is viewable, xwd fails with BadMatch: quiet, and waited out.
window_drawn() {
  local spread
  spread=$(xwd -id "$1" -silent 2>/dev/null | convert xwd:- -colorspace Gray -format '%[fx:standard_deviation]' info: 2>/dev/null)
  [ -n "$spread" ] && [ "$spread" != 0 ]
}
window_shown() { [ -n "$(x_window "$1")" ]; }
window_gone() { [ -z "$(x_window "$1")" ]; }
click() {  # caption of a top-level window, control id
  local x y w h
  read -r x y w h < <("$VRX_WINE" "$build/bin/vrx_control_rect.exe" "$1" "$2" | tr -d '\r')
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
}

cd "$build/bin"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$VRX_WINE" VrxClient.exe >/dev/null 2>&1 &
wait_until window_shown Log || { echo "FAIL: the console's windows never appeared"; exit 1; }

failed=0
for row in "${cases[@]}"; do
  read -r button caption <<<"$row"
  click VRXCLIENT "$(resource_id "$button")"
  if ! wait_until window_shown "$caption"; then
    echo "FAIL $caption: no dialog after the click"; failed=1; continue
  fi
  dialog=$(x_window "$caption")
  # The dialog has drawn into its own window; now it must be on the screen.
  wait_until window_drawn "$dialog" || { echo "FAIL $caption: the dialog never drew itself"; failed=1; }
  geometry=$(xwininfo -id "$dialog" | awk '/-geometry/ { print $2 }')
  vrx_screen_xwd | convert xwd:- "$work/screen.png"
  convert "$work/screen.png" -crop "$geometry" +repage "$work/$caption.png"
  spread=$(gray_spread "$work/$caption.png")
  if [ "$spread" = 0 ]; then
    echo "FAIL $caption: one uniform colour on the screen at $geometry"; failed=1
  else
    echo "ok   $caption: on the screen at $geometry (grey spread $spread)"
  fi
  [ -n "${VRX_SCREEN_SHOTS:-}" ] && cp "$work/screen.png" "$VRX_SCREEN_SHOTS/$caption.png"
  click "$caption" 2   # IDCANCEL
  wait_until window_gone "$caption" || { echo "FAIL $caption: the dialog did not close"; exit 1; }
done
exit $failed
