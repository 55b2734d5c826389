#!/usr/bin/env bash
# Benchmarks (slow; not part of the tests), on a private Xvfb display under
# wine64: the console traces a burst of notifications with its "Log" window
# visible and minimised, side by side (medians and the ratio); then it is
# started 100 times in a row, counting the starts that fail.
#   bash scripts/bench.sh [notifications] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/win64

bash scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target burst_bench start_stress vrx_ja_locale

source scripts/wine-prefix.sh "$build" display
vrx_display_start
trap vrx_display_stop EXIT
vrx_wine_init
vrx_wine_warm

echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
"$VRX_WINE" "$build/bin/burst_bench.exe" "${1:-2000}" "${2:-3}"
echo "== start-up: the console started and ended again and again, one attempt each"
"$VRX_WINE" "$build/bin/start_stress.exe" 100
