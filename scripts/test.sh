#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: a normal build, a
# sanitizer (ASan + UBSan) build, the replicate tests under ThreadSanitizer,
# then a short fuzz run of the input readers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
# Every switch is given: the demonstration configures build/release without
# tests, and a cached OFF must not leave a test run with nothing to run.
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOVARY_BUILD_GUI=ON \
  -DKOVARY_BUILD_TESTS=ON -DKOVARY_BUILD_BENCH=ON
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure --no-tests=error -j"$jobs"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKOVARY_ENABLE_SANITIZERS=ON -DKOVARY_BUILD_BENCH=OFF \
  -DKOVARY_BUILD_GUI=ON -DKOVARY_BUILD_TESTS=ON
cmake --build build/asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build/asan --output-on-failure --no-tests=error -j"$jobs"
# Replicates, comparisons and sweeps run side by side on threads: their tests under ThreadSanitizer.
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOVARY_ENABLE_TSAN=ON -DKOVARY_BUILD_BENCH=OFF \
  -DKOVARY_BUILD_TESTS=ON
cmake --build build/tsan -j"$jobs" --target kovary kovary_tests
# Qt is not instrumented: races the sanitizer reports inside it (its chart drawing) are suppressed.
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/scripts/tsan-qt.supp" \
  build/tsan/tests/kovary_tests --gtest_filter='Replicates.*:Scenarios.*:Sweeps.*'
# A short fuzz run of every input reader (clang and libFuzzer).
KOVARY_WITH_FUZZ=1 scripts/install-deps.sh && scripts/fuzz.sh 20
echo "All tests passed (release, address and thread sanitizer builds, fuzzing)."
