#!/usr/bin/env bash
# The viewer in a real X server: its window, its picture, closing it, and
# starting it without a display.
# Usage: window_test.sh GALAXY_EXECUTABLE OUTPUT_DIR
source "$(dirname "$0")/x_session.sh" "$@"
start_galaxy

# Outer frame 823 x 740 at (172, 170), whatever the frame takes.
read -r fl fr ft fb < <(xprop -id "$WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
info=$(xwininfo -id "$WINDOW")
X=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
WIDTH=$(awk '/Width:/ {print $NF}' <<<"$info")
HEIGHT=$(awk '/Height:/ {print $NF}' <<<"$info")
[[ $((WIDTH + fl + fr)) -eq 823 && $((HEIGHT + ft + fb)) -eq 740 ]] ||
  fail "outer size $((WIDTH + fl + fr)) x $((HEIGHT + ft + fb)), expected 823 x 740"
[[ $((X - fl)) -eq 172 && $((Y - ft)) -eq 170 ]] || fail "outer position $((X - fl)),$((Y - ft)), expected 172,170"

shot="$OUT/window.png"
import -window "$WINDOW" "$shot"
cx=$((WIDTH / 2 - 50)); cy=$((HEIGHT / 2 - 50))
centre=$(brightness "$shot" "100x100+$cx+$cy")
corner=$(brightness "$shot" "80x80+0+0")
echo "centre brightness $centre, corner brightness $corner"
awk -v c="$centre" 'BEGIN { exit !(c > 20) }' || fail "no glow at the centre ($centre)"
awk -v c="$corner" 'BEGIN { exit !(c < 1) }' || fail "the corner is not black ($corner)"
[[ "$(caption)" == "Galaxy" ]] || fail "caption before any key: $(caption)"

echo "peak memory: $(grep VmHWM /proc/"$GALAXY_PID"/status)"
close_galaxy || fail "exit status $? after closing the window"

# Without a display: a message on standard error and status 1.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY "$GALAXY" 2>"$OUT/nodisplay.stderr" || status=$?
[[ $status -eq 1 ]] || fail "exit status $status without a display, expected 1"
grep -q "Cannot open the display" "$OUT/nodisplay.stderr" || fail "no message: $(cat "$OUT/nodisplay.stderr")"
echo "window test passed"
