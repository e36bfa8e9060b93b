#!/usr/bin/env bash
# Installs what is missing, builds, and runs the demonstration projections on
# the Norvale data set in data/demo; every output lands in data/demo.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOVARY_BUILD_TESTS=OFF -DKOVARY_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target kovary
echo
echo "== kovary run data/demo/demo.kov"
build/release/kovary run data/demo/demo.kov
# The second run also lays the demo's daily costs on its populations and sets
# its first two years beside made-up observed prison counts.
echo
echo "== kovary run data/demo/demo-stock.kov --costs data/demo/costs.txt --actuals data/demo/actuals.csv"
build/release/kovary run data/demo/demo-stock.kov --costs data/demo/costs.txt --actuals data/demo/actuals.csv
# A comparison of current law with four policy scenarios, with their costs.
echo
echo "== kovary compare data/demo/demo-stock.kov data/demo/scenarios.txt --out data/demo/compare --costs data/demo/costs.txt --actuals data/demo/actuals.csv"
build/release/kovary compare data/demo/demo-stock.kov data/demo/scenarios.txt --out data/demo/compare \
    --costs data/demo/costs.txt --actuals data/demo/actuals.csv
echo
echo "Outputs in $(pwd)/data/demo:"
ls -1 data/demo/*.out data/demo/*.xlsx data/demo/fiscal-costs.* data/demo/accuracy.*
echo "The comparison in $(pwd)/data/demo/compare (compare.txt, impact.txt and compare-costs.txt to read first)."
echo
echo "== the prison population in data/demo/compare/compare.txt"
sed -n '/PRISON POPULATION/,/^ Average/p' data/demo/compare/compare.txt
echo
echo "== the first lines of data/demo/tables.out"
head -n 20 data/demo/tables.out
