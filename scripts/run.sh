#!/usr/bin/env bash
# Builds the program and starts it: ./scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DV5_BUILD_TESTS=OFF
cmake --build build --target v5ivez
exec build/bin/v5ivez "$@"
