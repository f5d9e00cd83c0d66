#!/usr/bin/env bash
# Runs the project's main job on the built-in demo install in tools/demo.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build/demo -DCMAKE_BUILD_TYPE=Release -DLAUNCHER_WINDOWS_BUILDS=OFF >/dev/null
cmake --build build/demo -j "$(nproc)" --target ini_demo >/dev/null
build/demo/tools/ini_demo tools/demo
