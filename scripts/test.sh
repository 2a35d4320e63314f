#!/usr/bin/env bash
# Builds everything and runs the whole test suite through CTest: in the
# release build, in a build with AddressSanitizer and UBSan, then the Windows
# program, cross-built, under Wine (it compares with the release build).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --test
for preset in release sanitize windows; do
  echo "=== $preset ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
