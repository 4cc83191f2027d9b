#!/usr/bin/env bash
# Builds everything and runs every test, first plain, then under the address and
# undefined-behaviour sanitizers: ./scripts/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# clang builds the sanitizer tree (and the fuzz targets), lld links it.
./scripts/deps.sh clang-14 lld-14
jobs=$(nproc)
# Most of the test time is spent waiting on the module's simulator at the line's pace, not on the
# processor, so the tests run several to a core.
test_jobs=$((4 * jobs))

# The plain tree is optimised, without debug information: a fifth of its compile time. -O1 compiles in
# four fifths of -O2's time, and the tests wait on the simulator, not on the processor. Failures are traced
# in the sanitizer tree, which keeps line tables. The package is built at -O2.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O1 -DNDEBUG" \
    -DV5_BUILD_TESTS=ON -DV5_BUILD_BENCH=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$test_jobs"

# The sanitizer tree is clang's: it compiles the sanitized tests in about half gcc's time. gcc's warnings
# still stop the plain tree, clang's this one.
# Line tables are all a sanitizer's report needs for its file:line stacks, and a sixth less to compile than
# full debug information.
CC=clang-14 CXX=clang++-14 cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DV5_SANITIZE=ON \
    -DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only -DV5_BUILD_TESTS=ON
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$test_jobs"
