#!/usr/bin/env bash
# Benchmarks (slow; not part of the tests), on a private Xvfb display: each of
# the console's costs beside the raw work it cannot avoid, measured in the same
# run, as one table of medians, spreads and ratios. The product's i686 Release
# build runs under 32-bit Wine where this machine executes 32-bit code, its
# rows beside the x86_64 build's (wine64).
#   bash scripts/bench.sh [all|trace|burst|print|start|logwriter|memory] [rounds]
#   bash scripts/bench.sh replay [rounds]   (the scenario library: cost per step, by step)
#   bash scripts/bench.sh stress [starts]   (start-up reliability: one attempt per start)
#   bash scripts/bench.sh soak [rounds]     (endurance: round-trip.scenario, default 1000 rounds)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/setup.sh
source scripts/arch.sh
presets=(bench)
if vrx_runs_i686; then presets=(bench-i686 bench); fi
for preset in "${presets[@]}"; do
  cmake --preset $preset >/dev/null
  cmake --build --preset $preset -j "$(nproc)" --target vrx_bench VrxPlay >/dev/null
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
# Replays the scenario library through the optimised build, in one call and
# one call per scenario: the wall time of each, the reports' sizes, and the
# time each kind of step takes
# (from the reports). Steps that wait for the library (a "wait", an "expect"
# of a notification) count their wait; the replay's own cost is what a step
# that waits for nothing takes: set, check, choose, key, none.
if [ "${1:-}" = replay ]; then
  for preset in "${presets[@]}"; do
    reports=$(mktemp -d)
    one=0 each=0
    for round in $(seq "${2:-3}"); do
      # The whole library in one call, with its three reports.
      start=$(date +%s%N)
      "$VRX_WINE" "$root/build/$preset/bin/VrxPlay.exe" "$root/tests/scenarios" /junit "Z:$reports/run.xml" \
        /html "Z:$reports/run.html" /coverage "Z:$reports/run.tsv" >/dev/null || echo "$preset: the library failed in round $round"
      one=$(( one + $(date +%s%N) - start ))
      # One call per scenario, as the test command's per-scenario entries ran them.
      start=$(date +%s%N)
      for scenario in "$root"/tests/scenarios/*.scenario; do
        name=$(basename "$scenario" .scenario)
        "$VRX_WINE" "$root/build/$preset/bin/VrxPlay.exe" "$scenario" /report "Z:$reports/$name-$round.txt" >/dev/null ||
          echo "$preset: $name failed in round $round"
      done
      each=$(( each + $(date +%s%N) - start ))
    done
    files=$(ls "$root"/tests/scenarios/*.scenario | wc -l)
    echo "$preset: the scenario library ($files files), mean of ${2:-3} rounds: one VrxPlay call $(( one / 1000000 / ${2:-3} )) ms," \
      "one call per scenario $(( each / 1000000 / ${2:-3} )) ms"
    echo "$preset: reports of the whole library: JUnit $(stat -c %s "$reports/run.xml") bytes," \
      "HTML $(stat -c %s "$reports/run.html") bytes, coverage $(stat -c %s "$reports/run.tsv") bytes"
    rm -f "$reports"/run.*
    cat "$reports"/*.txt | tr -d '\r' | awk '/ pass  / { ms = $(NF - 1); sub(/^\(/, "", ms); print $4, ms; print "all", ms }' |
      sort -k1,1 -k2,2n | awk '
        function row() { if (n) printf "%-8s %7d %9.1f %9d\n", kind, n, sum / n, v[int((n + 1) / 2)] }
        BEGIN { printf "%-8s %7s %9s %9s\n", "step", "count", "mean ms", "median ms" }
        $1 != kind { row(); kind = $1; n = 0; sum = 0 }
        { v[++n] = $2; sum += $2 }
        END { row() }'
    rm -rf "$reports"
  done
  exit 0
fi

# The round that presses the most buttons and ends where it began, played
# again and again in one console with bursts, a forced result and texts
# without terminating zeros (its own settings): rounds, failures, crashes,
# time a round, and each resource reading's first, last and peak.
if [ "${1:-}" = soak ]; then
  rounds=${2:-1000}
  for preset in "${presets[@]}"; do
    out=$(mktemp -d)
    start=$(date +%s%N)
    status=0
    "$VRX_WINE" "$root/build/$preset/bin/VrxPlay.exe" "$root/tests/scenarios/round-trip.scenario" /repeat "$rounds" \
      /report "Z:$out/report.txt" /html "Z:$out/soak.html" /run "Z:$out/run" | tr -d '\r' >"$out/stdout.txt" || status=$?
    ms=$(( ($(date +%s%N) - start) / 1000000 ))
    played=$(grep -c '^round ' "$out/stdout.txt" || true)
    failed=$(grep -c '^round .* [1-9][0-9]* failed' "$out/stdout.txt" || true)
    crashes=$(grep -c 'the console ended at line' "$out/report.txt" || true)
    echo "$preset: $played of $rounds rounds played, $failed failed, $crashes crashes; $(( ms / (played > 0 ? played : 1) )) ms a round (exit code $status)"
    sed -n '/^reading /,$p' "$out/stdout.txt"
    cp "$out/soak.html" "$root/build/$preset/soak.html" && echo "$preset: charts in build/$preset/soak.html"
    if [ "$status" -eq 0 ]; then rm -rf "$out"; else echo "$preset: the run folder, its log and the step report kept in $out"; fi
  done
  exit 0
fi

# One table: the second build's rows follow the first's, without its header.
header=0
for preset in "${presets[@]}"; do
  "$VRX_WINE" "$root/build/$preset/bin/vrx_bench.exe" "${1:-all}" "${2:-5}" | tail -n +$((header * 2 + 1))
  header=1
done
