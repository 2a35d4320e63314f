#!/usr/bin/env bash
# The viewer in a real X server: its window, its picture, closing it, and
# starting it without a display.
# Usage: window_test.sh GALAXY_EXECUTABLE OUTPUT_DIR
source "$(dirname "$0")/x_session.sh" "$@"

# The window maps at its final geometry: the frame is asked for before the
# window is shown, so the window manager's frame never has another size.
spawn xev -root -event substructure -event property >"$OUT/root-events.log" 2>&1
XEV_PID=$!
listening() { xprop -root -f _GALAXY_TEST 8s -set _GALAXY_TEST 1 && grep -q _GALAXY_TEST "$OUT/root-events.log"; }
wait_until 30 listening || fail "xev did not start"
spawn "$GALAXY" 2>"$OUT/galaxy.stderr"
GALAXY_PID=$!
wait_until 60 find_window || fail "no window captioned Galaxy appeared"
wait_until 60 glowing || fail "no glow at the centre ($(centre_brightness))"
stop_process "$XEV_PID"
read -r first_width first_height < <(client_size)
client=$(printf '0x%x' "$WINDOW")
frames=$(awk -v client="$client," '/ConfigureNotify/ { getline; if ($4 != client && $7 != "1,") print $5, $7, $9 }' \
  "$OUT/root-events.log" | sort -u)
[[ "$frames" == "(172,170), 823, 740," ]] || fail "the frame had other geometries than 823 x 740 at (172,170): $frames"

read -r fl fr ft fb < <(xprop -id "$WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
[[ $((first_width + fl + fr)) -eq 823 && $((first_height + ft + fb)) -eq 740 ]] ||
  fail "the window appeared with outer size $((first_width + fl + fr)) x $((first_height + ft + fb)), expected 823 x 740"
info=$(xwininfo -id "$WINDOW")
X=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
[[ $((X - fl)) -eq 172 && $((Y - ft)) -eq 170 ]] || fail "outer position $((X - fl)),$((Y - ft)), expected 172,170"

corner=$(brightness "$OUT/window.png" "80x80+0+0")
echo "centre brightness $(brightness "$OUT/window.png" "100x100+$((first_width / 2 - 50))+$((first_height / 2 - 50))"), corner $corner"
awk -v c="$corner" 'BEGIN { exit !(c < 1) }' || fail "the corner is not black ($corner)"
[[ "$(caption)" == "Galaxy" ]] || fail "caption before any key: $(caption)"

echo "peak memory: $(grep VmHWM /proc/"$GALAXY_PID"/status)"
close_galaxy || fail "exit status $? after closing the window"

# Without a display, whether or not there is a runtime folder where a Wayland
# socket could be: one line saying what was tried, and status 1.
mkdir -p -m 700 "$OUT/runtime"
expected="galaxy: Cannot open the display: no X server (DISPLAY is not set) and no Wayland compositor"
for runtime in "" "$OUT/runtime"; do
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR ${runtime:+"XDG_RUNTIME_DIR=$runtime"} timeout -k 5 60 "$GALAXY" \
    2>"$OUT/nodisplay.stderr" || status=$?
  [[ $status -eq 1 ]] || fail "exit status $status without a display (XDG_RUNTIME_DIR '$runtime'), expected 1"
  [[ $(wc -l <"$OUT/nodisplay.stderr") -eq 1 && "$(cat "$OUT/nodisplay.stderr")" == "$expected"* ]] ||
    fail "without a display (XDG_RUNTIME_DIR '$runtime') standard error was: $(cat "$OUT/nodisplay.stderr")"
done
echo "window test passed"
