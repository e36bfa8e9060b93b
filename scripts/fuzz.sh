#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build/fuzz and runs each for
# SECONDS (default 30), starting from its seed corpus in fuzz/corpus/<reader>.
# Inputs found along the way collect in build/fuzz/corpus/<reader>; a crashing
# input is saved in build/fuzz/artifacts/<reader>/ and the script fails.
# Needs clang: KOVARY_WITH_FUZZ=1 scripts/install-deps.sh
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKOVARY_BUILD_FUZZ=ON -DKOVARY_BUILD_TESTS=OFF -DKOVARY_BUILD_BENCH=OFF
cmake --build "$build" -j"$(nproc)" --target kovary_fuzz

failed=()
for source in fuzz/fuzz_*.cpp; do
  name=$(basename "$source" .cpp)
  reader=${name#fuzz_}
  corpus="$build/corpus/$reader"
  artifacts="$build/artifacts/$reader/"
  mkdir -p "$corpus" "$artifacts"
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts")
  if [ -f "fuzz/$reader.dict" ]; then options+=(-dict="fuzz/$reader.dict"); fi
  echo "== $name for ${seconds}s"
  if ! "$build/fuzz/$name" "${options[@]}" "$corpus" "fuzz/corpus/$reader" 2>"$build/$name.log"; then
    tail -n 60 "$build/$name.log"
    failed+=("$name")
    continue
  fi
  grep -E "^stat::number_of_executed_units|^Done " "$build/$name.log" || true
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Fuzzing found crashes in: ${failed[*]} (inputs in $build/artifacts/)" >&2
  exit 1
fi
echo "Every fuzz target ran ${seconds}s without a crash."
