#!/usr/bin/env bash
# The i686 build's runtime linking, read from the import tables: KolmCall.dll
# and KolmHost.exe share the GCC runtime DLLs (so an exception can cross from
# the library into its host), every DLL they need lies beside them, and the
# console, the stand-in library and the colour server stay static.
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
for module in VrxClient.exe ZembrinPrinter.dll ColorServer.exe; do
  check "$module links the runtime statically" no_runtime "$module"
done
echo "win32 runtime: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
