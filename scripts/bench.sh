#!/usr/bin/env bash
# Benchmarks (slow; not part of the tests), on a private Xvfb display under
# wine64: each of the console's costs beside the raw work it cannot avoid,
# measured in the same run, as a table of medians, spreads and ratios.
#   bash scripts/bench.sh [all|trace|burst|print|start|logwriter|memory] [rounds]
#   bash scripts/bench.sh stress [starts]   (start-up reliability: one attempt per start)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/bench

bash scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench -j "$(nproc)" --target vrx_bench >/dev/null

source scripts/wine-prefix.sh "$build" display
vrx_display_start
trap vrx_display_stop EXIT
vrx_wine_init
vrx_wine_warm

echo "$(date -u '+%Y-%m-%d %H:%M UTC'); $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs);" \
     "$(free -g | awk '/^Mem:/ {print $2}') GiB; $("$VRX_WINE" --version); Xvfb display"
echo
"$VRX_WINE" "$build/bin/vrx_bench.exe" "${1:-all}" "${2:-5}"
