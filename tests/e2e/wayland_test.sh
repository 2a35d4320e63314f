#!/usr/bin/env bash
# The viewer as a native Wayland client of weston, nested in a private Xvfb:
# found without an X display and when asked for by SDL_VIDEODRIVER; the
# galaxy glows, keys reach it, a preset changes the picture, SIGTERM and the
# close button of the window's title bar end it with status 0, and a
# compositor that dies ends it with status 1.
# Usage: wayland_test.sh GALAXY_EXECUTABLE OUTPUT_DIR
X_SESSION_LATER=1
source "$(dirname "$0")/x_session.sh" "$@"

# The output is as wide as the window, so weston puts it at the left edge;
# how far down depends on weston, and is read off the picture: the glow sits
# in the middle of the 823 x 740 client area. No X window manager: weston's
# output window is at (0, 0) of the X screen.
readonly OUTPUT_WIDTH=823 OUTPUT_HEIGHT=800 CLIENT_HEIGHT=740 BELOW_PANEL=60

start_weston() {
  rm -f "$OUT/display"
  Xvfb -displayfd 3 -screen 0 1024x1024x24 -nolisten tcp 3>"$OUT/display" 2>/dev/null &
  XVFB_PID=$!
  wait_until 30 test -s "$OUT/display" || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$OUT/display")"
  export XDG_RUNTIME_DIR="$OUT/runtime"
  rm -rf "$XDG_RUNTIME_DIR" && mkdir -m 700 "$XDG_RUNTIME_DIR"
  weston --backend=x11-backend.so --use-pixman --socket=galaxy-test --idle-time=0 \
    --width=$OUTPUT_WIDTH --height=$OUTPUT_HEIGHT >"$OUT/weston.log" 2>&1 &
  WM_PID=$!  # stopped with the session
  trap stop_x_session EXIT
  wait_until 60 test -S "$XDG_RUNTIME_DIR/galaxy-test" || fail "weston did not start (see $OUT/weston.log)"
  xdotool mousemove 400 400  # X keyboard focus follows the pointer into weston's window
}

shoot() { import -window root "$OUT/$1.png" 2>/dev/null; }
# The centre of the glow below weston's panel and the title bar, as "X Y".
glow_centre() {
  convert "$OUT/$1.png" -crop "${OUTPUT_WIDTH}x$((OUTPUT_HEIGHT - BELOW_PANEL))+0+$BELOW_PANEL" +repage \
    -colorspace gray -threshold 50% png:- | identify -verbose -moments - 2>/dev/null |
    awk -F'[:,]' -v top=$BELOW_PANEL '/Centroid/ { printf "%d %d\n", $2, $3 + top; exit }'
}
# Bright at the middle of the screen's width, where the client area is.
glowing_on_wayland() {
  shoot shown && awk -v b="$(brightness "$OUT/shown.png" "100x600+$((OUTPUT_WIDTH / 2 - 50))+$BELOW_PANEL")" \
    'BEGIN { exit !(b > 5) }'
}
picture_changed() {
  shoot preset
  local changed
  changed=$(compare -metric AE "$OUT/shown.png" "$OUT/preset.png" null: 2>&1 || true)
  [[ "${changed%% *}" -gt 1000 ]]
}
ended() { ! kill -0 "$GALAXY_PID" 2>/dev/null; }

# The close button: the right end of the title bar just above the client
# area. Weston moves its pointer by the X pointer's relative motion, clamped
# to its output: a sweep from the far corner to the origin puts both at
# (0, 0), and from there they move together.
clicked_close() {
  local x y
  read -r x y < <(glow_centre preset)
  xdotool mousemove $((OUTPUT_WIDTH - 1)) $((OUTPUT_HEIGHT - 1)) mousemove 0 0
  xdotool mousemove $((OUTPUT_WIDTH - 16)) $((y - CLIENT_HEIGHT / 2 - 12)) click 1
  wait_until 2 ended
}

still() {
  shoot shown
  ! picture_changed
}

# Runs the viewer on weston (further arguments: env settings), checks its
# picture and keys, then ends it with END (TERM or close).
session() {
  local end=$1 how=$2 status=0
  shift 2
  env -u DISPLAY WAYLAND_DISPLAY=galaxy-test "$@" "$GALAXY" 2>"$OUT/galaxy.stderr" &
  GALAXY_PID=$!
  wait_until 60 glowing_on_wayland || fail "$how: no galaxy on the Wayland screen (stderr: $(cat "$OUT/galaxy.stderr"))"
  xdotool key space  # the picture holds still, so only the preset changes it
  wait_until 30 still || fail "$how: the picture does not hold still after space"
  xdotool key 7
  wait_until 30 picture_changed || fail "$how: preset 7 did not change the picture"
  if [[ $end == TERM ]]; then
    kill -TERM "$GALAXY_PID"
    wait_until 30 ended || fail "$how: still running after SIGTERM"
  else
    wait_until 30 clicked_close || fail "$how: still running after clicks on the close button"
  fi
  wait "$GALAXY_PID" || status=$?
  GALAXY_PID=""
  [[ $status -eq 0 ]] || fail "$how: status $status after $end (stderr: $(cat "$OUT/galaxy.stderr"))"
  echo "on Wayland, $how: glow, preset 7, and $end ended it with status 0"
}

start_weston
session TERM "no X display"
session close "SDL_VIDEODRIVER=wayland" SDL_VIDEODRIVER=wayland

# With both an X server and a compositor, X11 is taken: the window is an X
# window, placed where the form says.
x_window() { xwininfo -root -tree | grep -q '"Galaxy": ("galaxy"'; }
WAYLAND_DISPLAY=galaxy-test "$GALAXY" 2>"$OUT/galaxy.stderr" &
GALAXY_PID=$!
wait_until 60 x_window || fail "with both displays the viewer did not open an X window"
kill -TERM "$GALAXY_PID"
wait "$GALAXY_PID" || fail "status $? after SIGTERM on X11"
GALAXY_PID=""
echo "with both displays: an X11 window"

# The compositor goes away under the viewer: a lost display, as on X11.
env -u DISPLAY WAYLAND_DISPLAY=galaxy-test "$GALAXY" 2>"$OUT/galaxy.stderr" &
GALAXY_PID=$!
wait_until 60 glowing_on_wayland || fail "no galaxy before the compositor is killed"
kill -KILL "$WM_PID"
wait_until 10 ended || fail "still running 10 s after the compositor died"
status=0
wait "$GALAXY_PID" || status=$?
GALAXY_PID=""
[[ $status -eq 1 ]] || fail "status $status after the compositor died, expected 1"
[[ "$(cat "$OUT/galaxy.stderr")" == "galaxy: lost the connection to the display" ]] ||
  fail "standard error after the compositor died: $(cat "$OUT/galaxy.stderr")"
echo "on Wayland, the compositor killed: status 1 and the lost-display line"
echo "wayland test passed"
