#!/usr/bin/env bash
# Builds every target and runs every test: native under the sanitizers; the
# Windows test programs under wine64 (x86_64) and, where the machine executes
# 32-bit code, the same programs built for i686 (the product's architecture)
# under 32-bit Wine; each in a headless prefix inside its build folder. Then
# the screen check, which clicks the console on a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${VRX_JOBS:-$(nproc)}

bash scripts/setup.sh
source scripts/arch.sh

echo "== native: configure, build, test (ASan, UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset native

echo "== fuzz: every fuzz target over its committed corpus (clang libFuzzer, ASan, UBSan)"
bash scripts/fuzz.sh smoke

echo "== win32: configure, build the product (i686 Release), its runtime and exports, its release archive"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
bash scripts/check-win32-runtime.sh
bash scripts/check-package.sh "$(bash scripts/package.sh)"

echo "== win32-tests, win64: configure, build the test programs for i686 and x86_64"
for preset in win32-tests win64; do
  cmake --preset $preset >/dev/null
  cmake --build --preset $preset -j "$jobs"
done

# One architecture's test programs through ctest, in a prefix of their own.
status=0
run_windows_tests() {
  local preset=$1
  (
    unset DISPLAY
    source scripts/wine-prefix.sh "$root/build/$preset" headless
    vrx_wine_init
    vrx_wine_warm
    result=0
    ctest --preset "$preset" || result=$?
    vrx_wine_stop
    exit $result
  ) || status=1
}

echo "== win64: the tests under wine64"
run_windows_tests win64
if vrx_runs_i686; then
  echo "== win32-tests: the tests under 32-bit Wine"
  run_windows_tests win32-tests
else
  echo "== win32-tests: not run: $(vrx_i686_refusal)"
fi

echo "== screen: dialogs opened by a real click reach the screen (private Xvfb)"
bash tests/screen/dialogs-on-screen.sh || status=1
exit $status
