#!/usr/bin/env bash
# Runs every test of the project on a fresh Debian 12 machine: installs what is
# missing, builds the native, i686 and x86_64 builds and runs their tests (unit
# tests, end-to-end tests under Wine, checks of the shipped exe), then the
# sanitizer build with the same unit tests and a bounded fuzzing run. Both
# configurations are presets of CMakePresets.json (native-test, sanitize).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

jobs=$(nproc)

echo "== native build with the Windows builds and end-to-end tests"
cmake --preset native-test
cmake --build --preset native-test -j "$jobs"
ctest --preset native-test -j "$jobs"

echo "== sanitizer build (ASan, UBSan) and fuzz smoke run"
cmake --preset sanitize
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs"
