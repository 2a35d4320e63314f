#!/usr/bin/env bash
# Keys and the wheel typed into the viewer in a real X server: the caption
# after each, hiding and showing, a preset changing the picture.
# Usage: controls_test.sh GALAXY_EXECUTABLE OUTPUT_DIR
source "$(dirname "$0")/x_session.sh" "$@"
start_galaxy
xdotool windowactivate --sync "$WINDOW"

key() { xdotool key --delay 30 "$@"; sleep 0.2; }
expect_caption() { [[ "$(caption)" == "$1" ]] || fail "caption '$(caption)', expected '$1'"; }
centre_brightness() {
  import -window "$WINDOW" "$OUT/$1.png"
  brightness "$OUT/$1.png" "200x200+$(( $(xwininfo -id "$WINDOW" | awk '/Width:/ {print $NF}') / 2 - 100 ))+$(( $(xwininfo -id "$WINDOW" | awk '/Height:/ {print $NF}') / 2 - 100 ))"
}

key shift
expect_caption "Galaxy ~ Rotation(0.01:0.01:0.10) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)"
key Up
expect_caption "Galaxy ~ Rotation(-0.09:0.01:0.10) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)"
key space
expect_caption "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)"

# The wheel shows only at the next key; a turn away from the user approaches.
xdotool mousemove --window "$WINDOW" 100 100 click 4
sleep 0.2
expect_caption "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)"
key shift
expect_caption "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.10) Arm(4:100:6.91:64) Other(2:512:1.10:2)"
key KP_Add
expect_caption "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(4:100:6.91:64) Other(2:512:1.10:2)"

key shift+z ctrl+z x
expect_caption "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(3:100:6.91:64) Other(2:512:1.10:2)"
key s k f h w v n
expect_caption "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(3:101:7.01:65) Other(3:513:1.20:3)"

shown=$(centre_brightness shown)
key F3
hidden=$(centre_brightness hidden)
key F3
again=$(centre_brightness shown-again)
echo "centre brightness: shown $shown, hidden $hidden, shown again $again"
awk -v b="$hidden" 'BEGIN { exit !(b < 0.5) }' || fail "F3 left the galaxy on screen ($hidden)"
awk -v b="$again" 'BEGIN { exit !(b > 5) }' || fail "F3 again did not bring the glow back ($again)"

key 7
expect_caption "Galaxy ~ Rotation(0.00:0.00:0.00) Zoom(0.00) Arm(3:155:4.19:65) Other(3:513:1.20:3)"
preset=$(centre_brightness preset7)
changed=$(compare -metric AE "$OUT/shown-again.png" "$OUT/preset7.png" null: 2>&1 || true)
echo "preset 7: centre brightness $preset, $changed pixels changed"
[[ "${changed%% *}" -gt 1000 ]] || fail "preset 7 did not change the picture"

close_galaxy || fail "exit status $? after closing the window"
echo "controls test passed"
