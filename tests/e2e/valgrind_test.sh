#!/usr/bin/env bash
# A whole session under Valgrind's memcheck in a real X server: start, keys,
# presets, hide and show, the wheel, close. Any invalid access, and any leak
# that the driver suppressions do not explain, fails the test.
# Usage: valgrind_test.sh GALAXY_EXECUTABLE OUTPUT_DIR SUPPRESSIONS
source "$(dirname "$0")/x_session.sh" "$1" "$2"
suppressions=$3
log="$OUT/memcheck.log"

valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite --show-leak-kinds=definite \
  --keep-debuginfo=yes --error-exitcode=42 --suppressions="$suppressions" --log-file="$log" "$GALAXY" &
GALAXY_PID=$!
WINDOW=""
for _ in $(seq 600); do  # start-up under Valgrind takes a while
  WINDOW=$(xdotool search --name '^Galaxy' 2>/dev/null | head -1 || true)
  [[ -n "$WINDOW" ]] && break
  sleep 0.2
done
[[ -n "$WINDOW" ]] || fail "no window under Valgrind (see $log)"
sleep 2
xdotool windowactivate --sync "$WINDOW"
xdotool key --delay 200 s s a 7 F3 F3 Up Right KP_Divide KP_Add z x n b f d k j 3 space 8 1
xdotool mousemove --window "$WINDOW" 50 50 click 4 click 5
# Under Valgrind each frame is slow and keys wait their turn between frames.
expected="Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(4:50:6.91:64) Other(2:512:1.10:2)"
for _ in $(seq 300); do [[ "$(caption)" == "$expected" ]] && break; sleep 0.2; done
[[ "$(caption)" == "$expected" ]] || fail "caption after the session: $(caption)"

status=0
close_galaxy || status=$?
grep -E "definitely lost|ERROR SUMMARY" "$log" | sed 's/^==[0-9]*== /memcheck: /'
[[ $status -ne 42 ]] || fail "memcheck found errors (see $log)"
[[ $status -eq 0 ]] || fail "exit status $status"
grep -q "ERROR SUMMARY: 0 errors" "$log" || fail "memcheck found errors (see $log)"
echo "valgrind session test passed"
