#!/usr/bin/env bash
# Makes the release archive of the product: what a Windows user installs,
# from the i686 Release build, its programs stripped; their symbols beside it.
#   bash scripts/package.sh        prints the archive's path (out/VrxClient-<version>-win32.zip;
#                                  the symbols in out/VrxClient-<version>-win32-symbols/)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bin=$root/build/win32/bin

bash scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "${VRX_JOBS:-$(nproc)}" >/dev/null

version=$(sed -n 's/^project(VrxClient VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=VrxClient-$version
stage=$root/build/package/$name
rm -rf "$root/build/package" && mkdir -p "$stage/stand-ins"

# The archive gets stripped copies: the GCC runtime DLLs come with their debug
# sections (libstdc++-6.dll is ten times its stripped size), and the static
# runtime brings them into every program. The symbols go to a folder beside
# the archive, not into it, each stripped copy naming its file in a
# .gnu_debuglink section for a debugger; the build folder keeps its own.
symbols=$root/out/$name-win32-symbols
rm -rf "$symbols" && mkdir -p "$symbols/stand-ins"
ship() {  # file in the build's bin folder, folder in the archive ("" or stand-ins)
  local into=$stage${2:+/$2} kept=$symbols${2:+/$2}/$1.debug
  i686-w64-mingw32-objcopy --only-keep-debug "$bin/$1" "$kept"
  i686-w64-mingw32-strip --strip-all -o "$into/$1" "$bin/$1"
  i686-w64-mingw32-objcopy --add-gnu-debuglink="$kept" "$into/$1"
}
for file in VrxClient.exe VrxPlay.exe KolmCall.dll KolmHost.exe libgcc_s_dw2-1.dll libstdc++-6.dll libwinpthread-1.dll; do
  ship "$file" ""
done
for file in ZembrinPrinter.dll ColorServer.exe; do ship "$file" stand-ins; done
# Windows readers expect CR LF.
sed 's/$/\r/' >"$stage/README.txt" <<EOF
VrxClient $version: test console for the ZembrinPrinter photo-printer library (32-bit)

VrxClient.exe      the console
VrxPlay.exe        replays a scenario file through the console: VrxPlay.exe FILE [/report FILE]
KolmCall.dll       the colour-command bridge library, with the GCC runtime DLLs it shares
                   with its hosts (libgcc_s_dw2-1.dll, libstdc++-6.dll, libwinpthread-1.dll)
KolmHost.exe       a host that drives KolmCall.dll from the command line
stand-ins\\         NOT the vendor's software: a printer simulator built as ZembrinPrinter.dll
                   and a stand-in colour-command server (ColorServer.exe), for trying the
                   console without a printer

Putting the printer library in place
The console loads ZembrinPrinter.dll from its own folder when it starts, and does not start
without it.
- With a printer: copy the vendor's 32-bit ZembrinPrinter.dll (and whatever files the vendor
  ships with it) into this folder, beside VrxClient.exe.
- Without a printer: copy stand-ins\\ZembrinPrinter.dll beside VrxClient.exe instead. It
  simulates three printers at 127.0.0.1, 127.0.0.2 and 127.0.0.3; ZembrinSim.ini beside it
  sets up faults, forced results and notification bursts.
Never keep both: the copy beside VrxClient.exe is the one used.

Logging
File logging is on when VrxClient.log exists beside VrxClient.exe at start-up (create an
empty one). The settings of the last confirmed dialogs are kept in VrxClient.ini.

The colour-command server
Register the stand-in with "stand-ins\\ColorServer.exe /RegServer" (as administrator) and
remove it with /UnregServer.
EOF

mkdir -p "$root/out"
archive=$root/out/$name-win32.zip
rm -f "$archive"
(cd "$root/build/package" && cmake -E tar cf "$archive" --format=zip "$name")
echo "$archive"
