#!/usr/bin/env bash
# Benchmarks (slow; not part of the tests), on a private Xvfb display: each of
# the console's costs beside the raw work it cannot avoid, measured in the same
# run, as one table of medians, spreads and ratios. The product's i686 Release
# build runs under 32-bit Wine where this machine executes 32-bit code, its
# rows beside the x86_64 build's (wine64).
#   bash scripts/bench.sh [all|trace|burst|print|start|logwriter|memory] [rounds]
#   bash scripts/bench.sh stress [starts]   (start-up reliability: one attempt per start)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/setup.sh
source scripts/arch.sh
presets=(bench)
if vrx_runs_i686; then presets=(bench-i686 bench); fi
for preset in "${presets[@]}"; do
  cmake --preset $preset >/dev/null
  cmake --build --preset $preset -j "$(nproc)" --target vrx_bench >/dev/null
done

source scripts/wine-prefix.sh "$root/build/bench" display
vrx_display_start
trap vrx_display_stop EXIT
vrx_wine_init
vrx_wine_warm

echo "$(date -u '+%Y-%m-%d %H:%M UTC'); $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs);" \
     "$(free -g | awk '/^Mem:/ {print $2}') GiB; $("$VRX_WINE" --version); Xvfb display"
[ ${#presets[@]} -eq 1 ] && echo "i686 not measured: $(vrx_i686_refusal)"
echo
# One table: the second build's rows follow the first's, without its header.
header=0
for preset in "${presets[@]}"; do
  "$VRX_WINE" "$root/build/$preset/bin/vrx_bench.exe" "${1:-all}" "${2:-5}" | tail -n +$((header * 2 + 1))
  header=1
done
