#!/usr/bin/env bash
# Installs every Debian package the build, the demo and the tests use.
# Quiet and idempotent: nothing is fetched when all packages are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ make googletest libgtest-dev
  mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xauth x11-utils imagemagick
  fonts-wqy-microhei locales python3 openssl unicode-data unzip e2fsprogs
  clang libclang-rt-14-dev
  debootstrap  # the Debian 13 root whose Wine 10 runs the tray suites again (wine10-root.sh)
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: run as root to install: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq >/dev/null
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
