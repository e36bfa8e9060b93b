#!/usr/bin/env bash
# Installs what is missing, builds, and runs the demonstration on data/demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOVARY_BUILD_TESTS=OFF -DKOVARY_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target kovary
echo
echo "== kovary check data/demo/demo.kov"
build/release/kovary check data/demo/demo.kov
