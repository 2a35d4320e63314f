#!/usr/bin/env bash
# The browser's generator against the Linux build's: the digest tool built
# natively on the Linux build's galaxy library, beside its wasm build.
# Usage: generator_test.sh WASM_TOOL_JS OUTPUT_DIR LINUX_BUILD
source "$(dirname "$0")/../e2e/common.sh"
HERE=$(cd "$(dirname "$0")" && pwd)
library=$3/galaxy/libgalaxy_model.a
[[ -f $library ]] || fail "no Linux build in $3: build the release preset first"
mkdir -p "$2"
c++ -std=c++20 -O2 -I"$HERE/../.." "$HERE/points_digest.cpp" "$library" -o "$2/points_digest" ||
  fail "the native digest tool does not build"
spawn node "$HERE/generator_test.mjs" "$2/points_digest" "$1"
wait_exit $! 600 || fail "the comparison did not end within 10 minutes"
((EXIT_STATUS == 0)) || fail "the galaxies differ (status $EXIT_STATUS)"
