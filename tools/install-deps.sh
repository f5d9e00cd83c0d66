#!/usr/bin/env bash
# Installs everything the builds, the tests, the benchmark and the demo need on a
# bare Debian 12 machine. Packages that are already there are not fetched again.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev python3
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libinih-dev libsimpleini-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils xdotool imagemagick
  fonts-wine fonts-wqy-microhei locales
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update
  "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
