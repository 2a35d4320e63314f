#!/usr/bin/env bash
# Builds everything and runs the whole test suite through CTest: in the
# release build, in a build with AddressSanitizer and UBSan, then the Windows
# program, cross-built, under Wine, and the web page in headless Chromium
# (both compare with the release build).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --test
# The page's test driver, exactly as its lockfile pins it.
npm ci --prefix tests/web --no-audit --no-fund
for preset in release sanitize windows web; do
  echo "=== $preset ==="
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
