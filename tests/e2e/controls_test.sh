#!/usr/bin/env bash
# Keys and the wheel typed into the viewer in a real X server: the caption
# after each, hiding and showing, a preset changing the picture.
# Usage: controls_test.sh GALAXY_EXECUTABLE OUTPUT_DIR
source "$(dirname "$0")/x_session.sh" "$@"
start_galaxy
focus_galaxy

caption_is() { [[ "$(caption)" == "$1" ]]; }
# Types the keys, then waits for the caption they lead to.
keys_give() {
  local expected=$1
  shift
  xdotool key --delay 30 "$@"
  wait_until 30 caption_is "$expected" || fail "after $*: caption '$(caption)', expected '$expected'"
}
centre_below() { awk -v b="$(centre_brightness "$1")" -v t="$2" 'BEGIN { exit !(b < t) }'; }
centre_above() { awk -v b="$(centre_brightness "$1")" -v t="$2" 'BEGIN { exit !(b > t) }'; }

keys_give "Galaxy ~ Rotation(0.01:0.01:0.10) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)" shift
keys_give "Galaxy ~ Rotation(-0.09:0.01:0.10) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)" Up
keys_give "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)" space

# The wheel shows only at the next key; a turn away from the user approaches.
# Keys and wheel turns arrive in order, so the caption after the next key
# tells whether the wheel was seen before it.
xdotool mousemove --window "$WINDOW" 100 100 click 4
caption_is "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)" ||
  fail "the wheel changed the caption: $(caption)"
keys_give "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.10) Arm(4:100:6.91:64) Other(2:512:1.10:2)" shift
keys_give "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)" KP_Add

keys_give "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(3:100:6.91:64) Other(2:512:1.10:2)" shift+z ctrl+z x
keys_give "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(3:101:7.01:65) Other(3:513:1.20:3)" s k f h w v n

wait_until 30 centre_above shown 5 || fail "no glow before F3"
xdotool key F3
wait_until 30 centre_below hidden 0.5 || fail "F3 left the galaxy on screen ($(centre_brightness hidden))"
xdotool key F3
wait_until 30 centre_above shown-again 5 || fail "F3 again did not bring the glow back ($(centre_brightness shown-again))"

keys_give "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(3:155:4.19:65) Other(3:513:1.20:3)" 7
picture_changed() {
  centre_brightness preset7 >/dev/null
  local changed
  changed=$(compare -metric AE "$OUT/shown-again.png" "$OUT/preset7.png" null: 2>&1 || true)
  [[ "${changed%% *}" -gt 1000 ]]
}
wait_until 30 picture_changed || fail "preset 7 did not change the picture"

close_galaxy || fail "exit status $? after closing the window"
echo "controls test passed"
