#!/usr/bin/env bash
# Checks the release archive: every file a user needs, each program built for
# i686 and stripped, the stand-ins apart; then unpacks it, puts the stand-in
# library beside the console as its README.txt says, and starts the console
# from there under Wine (where this machine executes 32-bit code) until its
# log shows the start-up banner.
#   bash scripts/check-package.sh out/VrxClient-<version>-win32.zip
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
archive=$(realpath "$1")
source scripts/arch.sh
passed=0 failed=0
check() {  # description, then the condition as a command
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}

unpacked=$root/build/package-check
rm -rf "$unpacked" && mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$archive")
top=$(find "$unpacked" -mindepth 1 -maxdepth 1 -type d | head -n 1)
programs=(VrxClient.exe VrxPlay.exe KolmCall.dll KolmHost.exe libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll
          stand-ins/ZembrinPrinter.dll stand-ins/ColorServer.exe)
for file in "${programs[@]}"; do
  check "$file in the archive" test -f "$top/$file"
  check "$file built for i686" bash -c "i686-w64-mingw32-objdump -f '$top/$file' | grep -q 'file format pei-i386'"
done
# Every program shipped stripped: a debug section anywhere is a build's file
# copied as it was (the symbols belong beside the archive, not in it).
no_debug_sections() {
  local sections
  sections=$(i686-w64-mingw32-objdump -h "$1") && ! grep -qE '^ *[0-9]+ \.z?debug_' <<<"$sections"
}
while IFS= read -r -d '' file; do
  check "${file#"$top"/} stripped of debug sections" no_debug_sections "$file"
done < <(find "$top" -type f \( -iname '*.exe' -o -iname '*.dll' \) -print0)
check "README.txt in the archive" grep -q 'stand-ins\\ZembrinPrinter.dll beside VrxClient.exe' "$top/README.txt"
check "no printer library beside the console until the user puts one there" test ! -e "$top/ZembrinPrinter.dll"
check "nothing else in the archive" test "$(find "$top" -type f | wc -l)" -eq $(( ${#programs[@]} + 1 ))

if vrx_runs_i686; then
  cp "$top/stand-ins/ZembrinPrinter.dll" "$top/"
  : >"$top/VrxClient.log"   # file logging on: the start leaves its banner
  (
    unset DISPLAY
    source scripts/wine-prefix.sh "$unpacked" headless
    vrx_wine_init
    vrx_wine_warm
    cd "$top" && "$VRX_WINE" VrxClient.exe </dev/null >/dev/null 2>&1 &
    for _ in $(seq 100); do
      grep -q 'VrxClient Start Version' "$top/VrxClient.log" 2>/dev/null && break
      sleep 0.2
    done
    vrx_wine_stop
  )
  check "the console unpacked from the archive starts (its log banner)" grep -q 'VrxClient Start Version' "$top/VrxClient.log"
else
  echo "release archive: console not started: $(vrx_i686_refusal)"
fi
echo "release archive: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
