#!/usr/bin/env bash
# Runs the launcher's main job on the built-in demo install (tools/demo) under
# Wine: builds the launcher, then shows its window opening the demo's launch page
# and starts the demo player through the game launch. See tools/run_demo.py.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j "$(nproc)" --target win-i686 >/dev/null
exec python3 -B tools/run_demo.py "$@"
