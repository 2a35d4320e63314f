#!/usr/bin/env bash
# Under Wine the GL is Mesa's llvmpipe, a software renderer, so the Windows
# program must splat: a galaxy of nearly a million points is drawn far
# faster than when the driver draws it (the test seam forces that path for
# comparison). Frames are the swaps Wine's GL driver traces. The figures are
# printed; only a wide margin is asserted.
# Usage: frame_rate_test.sh GALAXY_EXE OUTPUT_DIR HELPERS_DIR LINUX_BUILD
source "$(dirname "$0")/wine_session.sh" "$@"

swaps() { grep -c 'wglSwapBuffers' "$OUT/galaxy.stderr" || true; }
# Frames a second over SECONDS.
frame_rate() {
  local before
  before=$(swaps)
  sleep "$1"
  awk -v n=$(($(swaps) - before)) -v s="$1" 'BEGIN { printf "%.1f", n / s }'
}
# 815 rings of preset 7: 997,560 points, 332,520 of them drawn.
grow_galaxy() {
  focus_galaxy
  xdotool key 7
  wait_until 30 eval '[[ "$(caption)" == *"Arm(3:155:"* ]]' || fail "preset 7 did not load: $(caption)"
  xdotool key --delay 2 --repeat 660 s
  wait_until 120 eval '[[ "$(caption)" == *"Arm(3:815:"* ]]' || fail "the galaxy did not grow: $(caption)"
}
# Starts the viewer with the environment given, grows the galaxy and sets
# SMALL and BIG to the frame rates at the default galaxy and the grown one.
measure() {
  start_galaxy env WINEDEBUG=+wgl "$@" wine
  wait_until 60 eval '(($(swaps) > 5))' || fail "no frames traced"
  SMALL=$(frame_rate 4)
  grow_galaxy
  BIG=$(frame_rate 6)
  close_galaxy || fail "the viewer ended with status $?"
}

start_wine
measure
grep -o 'GL renderer *: [^.]*' "$OUT/galaxy.stderr" | head -1
splat_small=$SMALL splat_big=$BIG
measure GALAXY_TEST_DRAW_PATH=fixed
driver_small=$SMALL driver_big=$BIG
echo "frames a second, default galaxy: $splat_small splatting, $driver_small driver's points"
echo "frames a second, 997,560 points: $splat_big splatting, $driver_big driver's points"
awk -v s="$splat_big" -v d="$driver_big" 'BEGIN { exit !(s >= 2 * d && s > 0) }' ||
  fail "at 997,560 points the Windows program is not splatting: $splat_big frames a second, the driver's points $driver_big"
echo "frame rate test passed"
