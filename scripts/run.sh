#!/usr/bin/env bash
# Builds the console and starts it beside the stand-in printer library: the
# product itself (i686, under 32-bit Wine) where this machine executes 32-bit
# code, otherwise the x86_64 build under wine64; it says which. With an X
# display the console simply opens there; without one it opens on a private
# Xvfb, a screenshot of both windows is saved, a short scenario is replayed
# with its report, and the run ends.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/setup.sh
source scripts/arch.sh
# Japanese captions need a ja_JP locale for Wine to map the texts; the win64
# build makes one in its folder.
cmake --preset win64 >/dev/null
if vrx_runs_i686; then
  preset=win32
  echo "run: the i686 console (the product) under 32-bit Wine"
else
  preset=win64
  echo "run: the x86_64 console under wine64; $(vrx_i686_refusal | sed 's/: the i686.*//')"
fi
build=$root/build/$preset
cmake --build --preset win64 -j "$(nproc)" --target vrx_ja_locale
cmake --preset $preset >/dev/null
cmake --build --preset $preset -j "$(nproc)" --target VrxClient ZembrinPrinter VrxPlay
export LOCPATH=$root/build/win64/tests/locale
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
shot=$out_dir/console-$preset-$(date +%Y%m%d-%H%M%S).png
vrx_screen_xwd | convert xwd:- -trim +repage "$shot"
echo "$shot"

# Then a short scenario replayed through a console of its own, with its report.
vrx_wine_stop
echo "demo scenario (tests/scenarios/open-and-close.scenario):"
run_wine VrxPlay.exe "$root/tests/scenarios/open-and-close.scenario" | tr -d '\r' || true
