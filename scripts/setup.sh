#!/usr/bin/env bash
# Installs every Debian package the project needs. Idempotent and quiet;
# returns at once when everything is already there. Where the machine can
# execute 32-bit code, that includes 32-bit Wine, which runs the i686 product.
set -euo pipefail
source "$(dirname "$0")/arch.sh"

packages=(
  cmake make g++ googletest
  clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine64 wine64-tools libwine-dev python3-junitparser
  xvfb xauth x11-apps x11-utils xdotool imagemagick locales
  fonts-wine fonts-ipafont-gothic
)

i386=no
if vrx_runs_i686; then
  i386=yes
  packages+=(wine32:i386)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages (${missing[*]}); run as root to install them" >&2
  exit 1
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [ $i386 = yes ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
apt-get update -qq
# --no-remove: the i386 packages must never take an amd64 one away.
apt-get install -y -qq --no-install-recommends --no-remove "${missing[@]}" >/dev/null
