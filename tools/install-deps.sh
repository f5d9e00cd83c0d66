#!/usr/bin/env bash
# Installs everything the builds, the tests, the benchmark and the demo need on a
# bare Debian 12 machine. Packages that are already there are not fetched again.
#
# The shipped launcher is a 32-bit Windows program, so besides 64-bit Wine this
# installs Wine's 32-bit loader (wine32:i386, which adds the i386 architecture to
# dpkg). Where the kernel cannot run 32-bit x86 code itself, tools/enable-32bit.sh
# then hands such programs to qemu-user from bookworm-backports.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake make g++ clang libclang-rt-14-dev python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libinih-dev libsimpleini-dev libcurl4-openssl-dev openssl
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 wine32:i386 xvfb xauth x11-utils xdotool imagemagick
  fonts-wine fonts-wqy-microhei locales
)

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  "${sudo_cmd[@]}" apt-get update
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

tools/enable-32bit.sh
