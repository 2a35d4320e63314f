#!/usr/bin/env bash
# Builds the viewer (without tests and benchmarks) and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DGALAXY_BUILD_TESTS=OFF -DGALAXY_BUILD_BENCHMARKS=OFF
cmake --build build-run
exec ./build-run/app/galaxy
