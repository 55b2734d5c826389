#!/usr/bin/env bash
# Builds the win64 console and starts it beside the stand-in printer library
# under wine64. With an X display the console simply opens there; without one
# it opens on a private Xvfb, a screenshot of both windows is saved, and the
# run ends.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/win64

bash scripts/setup.sh
cmake --preset win64 >/dev/null
# Japanese captions need a ja_JP locale for Wine to map the texts; the build
# makes one in its folder.
cmake --build --preset win64 -j "$(nproc)" --target VrxClient ZembrinPrinter vrx_ja_locale
export LOCPATH=$build/tests/locale
run_wine() { LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$VRX_WINE" "$@"; }

source scripts/wine-prefix.sh "$build" display
cd "$build/bin"

if [ -n "${DISPLAY:-}" ]; then
  vrx_wine_init
  run_wine VrxClient.exe; exit
fi

vrx_display_start
trap vrx_display_stop EXIT

vrx_wine_init
run_wine VrxClient.exe >/dev/null 2>&1 &
for _ in $(seq 100); do
  xwininfo -root -tree 2>/dev/null | grep -q '"Log"' && break
  sleep 0.2
done
sleep 1.5   # let both windows finish painting

out_dir=$root/out/screenshots
mkdir -p "$out_dir"
shot=$out_dir/console-$(date +%Y%m%d-%H%M%S).png
vrx_screen_xwd | convert xwd:- -trim +repage "$shot"
echo "$shot"
