#!/usr/bin/env bash
# Builds all three targets and runs every test: native under the sanitizers,
# win64 under wine64 in a prefix inside the build folder, headless; then the
# screen check, which clicks the console on a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${VRX_JOBS:-$(nproc)}

bash scripts/setup.sh

echo "== native: configure, build, test (ASan, UBSan)"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset native

echo "== fuzz: every fuzz target over its committed corpus (clang libFuzzer, ASan, UBSan)"
bash scripts/fuzz.sh smoke

echo "== win32: configure, build (the product; compiles and links)"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"
bash scripts/check-win32-runtime.sh

echo "== win64: configure, build, test under wine64"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
unset DISPLAY
source scripts/wine-prefix.sh "$root/build/win64" headless
vrx_wine_init
vrx_wine_warm
status=0
ctest --preset win64 || status=$?
vrx_wine_stop

echo "== screen: dialogs opened by a real click reach the screen (private Xvfb)"
bash tests/screen/dialogs-on-screen.sh || status=$?
exit $status
