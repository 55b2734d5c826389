#!/usr/bin/env bash
# The i686 build's runtime linking, read from the import tables: KolmCall.dll
# and KolmHost.exe share the GCC runtime DLLs (so an exception can cross from
# the library into its host), every DLL they need lies beside them, and the
# console, the stand-in library and the colour server stay static. Also the
# stand-in library's exports: each entry point of ZembrinPrinter.def is
# exported under its plain name and compiled as stdcall with the argument
# size its decorated name (the one the import library maps) says.
#   bash scripts/check-win32-runtime.sh [bin folder]
set -uo pipefail
cd "$(dirname "$0")/.."
bin=${1:-build/win32/bin}
runtime=(libgcc_s_dw2-1.dll libstdc++-6.dll)
passed=0 failed=0

imports() { i686-w64-mingw32-objdump -p "$bin/$1" | sed -n 's/^\s*DLL Name: //p'; }
check() {  # description, then the condition as a command
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}
has_import() { imports "$1" | grep -qix "$2"; }
no_runtime() { ! imports "$1" | grep -qiE '^(libgcc_s_dw2-1|libstdc\+\+-6|libwinpthread-1)\.dll$'; }

for module in KolmCall.dll KolmHost.exe; do
  for dll in "${runtime[@]}"; do check "$module imports $dll" has_import "$module" "$dll"; done
done
for dll in "${runtime[@]}"; do
  check "$dll beside them" test -f "$bin/$dll"
  for dependency in $(imports "$dll" | grep -iE '^lib'); do
    check "$dependency, needed by $dll, beside them" test -f "$bin/$dependency"
  done
done
for module in VrxClient.exe VrxPlay.exe ZembrinPrinter.dll ColorServer.exe; do
  check "$module links the runtime statically" no_runtime "$module"
done
exports=$(i686-w64-mingw32-objdump -p "$bin/ZembrinPrinter.dll" | sed -n '/Ordinal\/Name Pointer/,/^$/s/^\s*\[ *[0-9]*\] //p')
symbols=$(i686-w64-mingw32-nm "$bin/ZembrinPrinter.dll" | awk '$2 == "T" {print $3}')
declared=$(sed -n 's/^\s*\(vrx[A-Za-z0-9]*@[0-9]*\).*/\1/p' simulator/ZembrinPrinter.def)
check "ZembrinPrinter.def lists every export" test "$(wc -l <<<"$declared")" -eq "$(wc -l <<<"$exports")"
for entry in $declared; do
  check "${entry%@*} exported by its plain name" grep -qx "${entry%@*}" <<<"$exports"
  check "${entry%@*} compiled as stdcall @${entry#*@}" grep -qx "_$entry" <<<"$symbols"
done
echo "win32 runtime and exports: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
