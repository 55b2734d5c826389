#!/usr/bin/env bash
# Coverage-guided fuzzing (clang libFuzzer under ASan and UBSan) of the code
# that reads bytes it does not control; the targets live in tests/fuzz.
#
#   scripts/fuzz.sh smoke                       every target over its committed corpus
#                                               and a few thousand mutations of it
#   scripts/fuzz.sh run <target|all> <minutes>  a long run of each target named
#
# Both work on copies: the committed corpora in tests/fuzz/corpus are only
# read. A long run keeps what it finds in build/fuzz/corpus/<target>, its log
# in build/fuzz/logs and crashing inputs in build/fuzz/crashes/<target>.
# Exits non-zero when any target crashes.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/fuzz
jobs=${VRX_JOBS:-$(nproc)}
targets=(fuzz_record_lines fuzz_notifications fuzz_value_parse fuzz_sim_settings fuzz_image_probe fuzz_scenario_file)

usage() {
  echo "usage: $0 smoke | run <target|all> <minutes>  (targets: ${targets[*]})" >&2
  exit 2
}

mode=${1:-}
chosen=("${targets[@]}")
case $mode in
  smoke) [ $# -eq 1 ] || usage ;;
  run)
    [ $# -eq 3 ] || usage
    [[ $3 =~ ^[1-9][0-9]*$ ]] || usage
    minutes=$3
    if [ "$2" != all ]; then
      [[ " ${targets[*]} " == *" $2 "* ]] || usage
      chosen=("$2")
    fi
    ;;
  *) usage ;;
esac

bash scripts/setup.sh
cmake --preset fuzz >/dev/null
cmake --build "$build" -j "$jobs" --target vrx_fuzzers

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1

# Options every run of target $1 shares.
common() {
  local t=$1
  mkdir -p "$build/crashes/$t"
  local args=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "-artifact_prefix=$build/crashes/$t/")
  [ -f "tests/fuzz/$t.dict" ] && args+=("-dict=$root/tests/fuzz/$t.dict")
  printf '%s\n' "${args[@]}"
}

# "cov ft corpus-entries exec/s" from the last status line of a log.
figures() {
  local status
  status=$(grep -E '^#[0-9]+.*cov: ' "$1" | tail -n 1 || true)
  local cov ft speed
  cov=$(sed -nE 's/.* cov: ([0-9]+).*/\1/p' <<<"$status")
  ft=$(sed -nE 's/.* ft: ([0-9]+).*/\1/p' <<<"$status")
  speed=$(grep -E '^stat::average_exec_per_sec:' "$1" | awk '{print $2}' | tail -n 1 || true)
  local runs
  runs=$(grep -E '^stat::number_of_executed_units:' "$1" | awk '{print $2}' | tail -n 1 || true)
  echo "${runs:-?} ${speed:-?} ${cov:-?} ${ft:-?}"
}

failed=()
if [ "$mode" = smoke ]; then
  printf '%-20s %8s %8s %6s %6s  %s\n' target runs exec/s cov ft result
  for t in "${chosen[@]}"; do
    work=$build/smoke/$t
    rm -rf "$work" && mkdir -p "$work/corpus"
    cp "tests/fuzz/corpus/$t/"* "$work/corpus/"
    mapfile -t args < <(common "$t")
    # A fixed seed: the same mutations every time, so a failure here repeats.
    status=0
    "$build/bin/$t" "${args[@]}" -seed=1 -runs=10000 -max_total_time=10 "$work/corpus" >"$work/log" 2>&1 || status=$?
    read -r runs speed cov ft <<<"$(figures "$work/log")"
    result=ok
    if [ $status -ne 0 ]; then
      result="FAILED ($status), log $work/log"
      failed+=("$t")
      tail -n 40 "$work/log" >&2
    fi
    printf '%-20s %8s %8s %6s %6s  %s\n' "$t" "$runs" "$speed" "$cov" "$ft" "$result"
  done
else
  seconds=$((minutes * 60))
  summary=()
  for t in "${chosen[@]}"; do
    corpus=$build/corpus/$t
    logdir=$build/logs/$t
    mkdir -p "$corpus" "$logdir"
    mapfile -t args < <(common "$t")
    echo "== $t: $minutes min, corpus $corpus"
    status=0
    # One worker in one job: the machine is shared. New inputs go to the
    # first folder; the committed corpus only seeds the run.
    (cd "$logdir" && "$build/bin/$t" "${args[@]}" -jobs=1 -workers=1 -max_total_time="$seconds" \
      "$corpus" "$root/tests/fuzz/corpus/$t") || status=$?
    log=$logdir/$(date +%Y%m%d-%H%M%S).log
    mv "$logdir/fuzz-0.log" "$log"
    read -r runs speed cov ft <<<"$(figures "$log")"
    files=$(find "$corpus" -type f | wc -l)
    bytes=$(du -sb "$corpus" | cut -f1)
    crashes=$(find "$build/crashes/$t" -type f | wc -l)
    result=ok
    if [ $status -ne 0 ] || grep -qE '^==[0-9]+==ERROR|runtime error|check failed' "$log"; then
      result="FAILED ($status), log $log"
      failed+=("$t")
    fi
    summary+=("$(printf '%-20s %10s %8s %6s %6s %8s %9s %7s  %s' "$t" "$runs" "$speed" "$cov" "$ft" "$files" "$bytes" \
      "$crashes" "$result")")
  done
  printf '%-20s %10s %8s %6s %6s %8s %9s %7s  %s\n' target runs exec/s cov ft entries bytes crashes result
  printf '%s\n' "${summary[@]}"
fi

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: crashes in ${failed[*]}; inputs in $build/crashes" >&2
  exit 1
fi
