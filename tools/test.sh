#!/usr/bin/env bash
# Runs every test of the project on a fresh Debian 12 machine: installs what is
# missing, builds the native, i686 and x86_64 builds and runs their tests (unit
# tests, end-to-end tests under Wine, checks of the shipped exe), then the
# sanitizer build with the same unit tests and a bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

jobs=$(nproc)

echo "== native build with the Windows builds and end-to-end tests"
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_WARNINGS_AS_ERRORS=ON
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"

echo "== sanitizer build (ASan, UBSan) and fuzz smoke run"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DLAUNCHER_SANITIZE=ON -DLAUNCHER_FUZZ=ON -DLAUNCHER_WINDOWS_BUILDS=OFF -DLAUNCHER_WARNINGS_AS_ERRORS=ON
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"
