#!/usr/bin/env bash
# A whole session under Valgrind's memcheck in a real X server: start, keys,
# presets, hide and show, the wheel, close. Any invalid access, and any leak
# that the driver suppressions do not explain, fails the test.
# Usage: valgrind_test.sh GALAXY_EXECUTABLE OUTPUT_DIR SUPPRESSIONS
source "$(dirname "$0")/x_session.sh" "$1" "$2"
suppressions=$3
log="$OUT/memcheck.log"

START_DEADLINE=240 start_galaxy valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite \
  --show-leak-kinds=definite --keep-debuginfo=yes --error-exitcode=42 --suppressions="$suppressions" \
  --log-file="$log"
focus_galaxy

# Each key, then the caption it leads to: under Valgrind frames are slow and
# a key waits its turn between them, so the next key goes only once this one
# has been handled. F3 leaves the caption as it was.
caption_is() { [[ "$(caption)" == "Galaxy ~ $1" ]]; }
press() {
  xdotool key "$1"
  wait_until 240 caption_is "$2" || fail "after $1: caption '$(caption)', expected 'Galaxy ~ $2'"
}
other="Other(2:512:1.10:2)"
press s "Rotation(0.01:0.01:0.10) Zoom(0.00) Arm(4:101:6.91:64) $other"
press s "Rotation(0.01:0.01:0.10) Zoom(0.00) Arm(4:102:6.91:64) $other"
press a "Rotation(0.01:0.01:0.10) Zoom(0.00) Arm(4:101:6.91:64) $other"
press 7 "Rotation(0.01:0.01:0.10) Zoom(0.00) Arm(3:155:4.19:64) $other"
press F3 "Rotation(0.01:0.01:0.10) Zoom(0.00) Arm(3:155:4.19:64) $other"
press F3 "Rotation(0.01:0.01:0.10) Zoom(0.00) Arm(3:155:4.19:64) $other"
press Up "Rotation(-0.09:0.01:0.10) Zoom(0.00) Arm(3:155:4.19:64) $other"
press Right "Rotation(-0.09:0.11:0.10) Zoom(0.00) Arm(3:155:4.19:64) $other"
press KP_Divide "Rotation(-0.09:0.11:0.00) Zoom(0.00) Arm(3:155:4.19:64) $other"
press KP_Add "Rotation(-0.09:0.11:0.00) Zoom(-0.10) Arm(3:155:4.19:64) $other"
press z "Rotation(-0.09:0.11:0.00) Zoom(-0.10) Arm(2:155:4.19:64) $other"
press x "Rotation(-0.09:0.11:0.00) Zoom(-0.10) Arm(3:155:4.19:64) $other"
press n "Rotation(-0.09:0.11:0.00) Zoom(-0.10) Arm(3:155:4.29:64) $other"
press b "Rotation(-0.09:0.11:0.00) Zoom(-0.10) Arm(3:155:4.19:64) $other"
press f "Rotation(-0.09:0.11:0.00) Zoom(-0.10) Arm(3:155:4.19:64) Other(2:512:1.10:3)"
press d "Rotation(-0.09:0.11:0.00) Zoom(-0.10) Arm(3:155:4.19:64) $other"
press k "Rotation(-0.09:0.11:0.00) Zoom(-0.10) Arm(3:155:4.19:64) Other(2:512:1.20:2)"
press j "Rotation(-0.09:0.11:0.00) Zoom(-0.10) Arm(3:155:4.19:64) $other"
press 3 "Rotation(-0.09:0.11:0.00) Zoom(-0.10) Arm(4:50:3.14:64) $other"
press space "Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(4:50:3.14:64) $other"
press 8 "Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(4:50:122.52:64) $other"
xdotool mousemove --window "$WINDOW" 50 50 click 4 click 4 click 5
press 1 "Rotation(0.00:0.00:0.00) Zoom(0.10) Arm(4:50:6.91:64) $other"

status=0
close_galaxy || status=$?
grep -E "definitely lost|ERROR SUMMARY" "$log" | sed 's/^==[0-9]*== /memcheck: /'
[[ $status -ne 42 ]] || fail "memcheck found errors (see $log)"
[[ $status -eq 0 ]] || fail "exit status $status"
grep -q "ERROR SUMMARY: 0 errors" "$log" || fail "memcheck found errors (see $log)"
echo "valgrind session test passed"
