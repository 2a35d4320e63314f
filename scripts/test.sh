#!/usr/bin/env bash
# Builds everything and runs the whole test suite through CTest, twice: in the
# release build, then in a build with AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --test
for preset in release sanitize; do
  echo "=== $preset ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
