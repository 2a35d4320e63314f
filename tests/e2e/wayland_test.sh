#!/usr/bin/env bash
# The viewer as a native Wayland client of weston, nested in a private Xvfb:
# found without an X display and when asked for by SDL_VIDEODRIVER; the
# galaxy glows, keys reach it, a preset changes the picture, the drawing
# follows the window when it is maximised, SIGTERM and the close button of
# the window's title bar end it with status 0, and a compositor that dies ends
# it with status 1.
# Usage: wayland_test.sh GALAXY_EXECUTABLE OUTPUT_DIR
source "$(dirname "$0")/wayland_session.sh" "$@"

# Weston places the window itself; where it went is read off the picture:
# the glow sits in the middle of the 823 x 740 client area, and the title bar
# with its buttons lies just above it. No X window manager: weston's output
# window is at (0, 0) of the X screen.
readonly CLIENT_WIDTH=823 CLIENT_HEIGHT=740 BELOW_PANEL=60

shoot() { import -window root "$OUT/$1.png" 2>/dev/null; }
# The centre of the glow below weston's panel and the title bar, as "X Y";
# only the glow's core is that bright, not weston's grey background.
glow_centre() {
  convert "$OUT/$1.png" -crop "${OUTPUT_WIDTH}x$((OUTPUT_HEIGHT - BELOW_PANEL))+0+$BELOW_PANEL" +repage \
    -colorspace gray -threshold 80% png:- | identify -verbose -moments - 2>/dev/null |
    awk -F'[:,]' -v top=$BELOW_PANEL '/Centroid/ { printf "%d %d\n", $2, $3 + top; exit }'
}
# Some glow below the panel and the title bar.
glowing_on_wayland() {
  shoot shown && awk -v b="$(brightness "$OUT/shown.png" "${OUTPUT_WIDTH}x$((OUTPUT_HEIGHT - BELOW_PANEL))+0+$BELOW_PANEL")" \
    'BEGIN { exit !(b > 0.3) }'
}
picture_changed() {
  shoot preset
  local changed
  changed=$(compare -metric AE "$OUT/shown.png" "$OUT/preset.png" null: 2>&1 || true)
  [[ "${changed%% *}" -gt 1000 ]]
}
ended() { ! kill -0 "$GALAXY_PID" 2>/dev/null; }

# Clicks a point of weston's screen. Inside its window weston moves its
# pointer by the X pointer's relative motion; on entering the window it takes
# the position as it is. So the X pointer leaves the window (the X screen is
# taller than weston's output) and comes back in at the point.
click_at() {
  xdotool mousemove $((OUTPUT_WIDTH / 2)) $((OUTPUT_HEIGHT + 100)) mousemove "$1" "$2" click 1
}

# The title bar's buttons, from the right: close, maximise; 32 pixels apart.
title_button() {
  local x y
  read -r x y < <(glow_centre "$1")
  echo $((x + $2 / 2 - 16 - 32 * $3)) $((y - $4 / 2 - 12))
}

# Maximised, the client area fills the output's width: the glow moves to its
# middle, and the right end, beyond the old width, is the galaxy's black,
# not weston's grey, only if the drawing surface followed the new size.
glow_in_the_middle() {
  shoot maximised
  local x y
  read -r x y < <(glow_centre maximised)
  ((x > OUTPUT_WIDTH / 2 - 15 && x < OUTPUT_WIDTH / 2 + 15)) &&
    awk -v b="$(brightness "$OUT/maximised.png" "100x300+$((OUTPUT_WIDTH - 110))+200")" 'BEGIN { exit !(b < 1) }'
}

still() {
  shoot shown
  ! picture_changed
}

# Runs the viewer on weston (further arguments: env settings), checks its
# picture and keys, then ends it with END (TERM or close).
session() {
  local end=$1 how=$2 status=0 x title_y
  shift 2
  spawn_wayland_galaxy "$@"
  wait_until 60 viewer_window_shown || fail "$how: weston shows no window of the viewer (stderr: $(cat "$OUT/galaxy.stderr"))"
  wait_until 60 glowing_on_wayland || fail "$how: no galaxy on the Wayland screen (stderr: $(cat "$OUT/galaxy.stderr"))"
  # Space holds the picture still, so only the preset changes it. Keys typed
  # before weston has given the new window the keyboard are lost; both keys
  # do the same again when repeated, so they are typed until they show.
  wait_until 30 eval 'xdotool key space; still' || fail "$how: the picture does not hold still after space"
  wait_until 30 eval 'xdotool key 7; picture_changed' || fail "$how: preset 7 did not change the picture"
  if [[ $end == TERM ]]; then
    kill -TERM "$GALAXY_PID"
  else
    read -r x title_y < <(title_button preset "$CLIENT_WIDTH" 1 "$CLIENT_HEIGHT")
    click_at "$x" "$title_y"
    wait_until 30 glow_in_the_middle || fail "$how: the picture did not follow the maximised window"
    # Maximised, the title bar stays where it was and reaches the right edge.
    wait_until 30 eval 'click_at $((OUTPUT_WIDTH - 16)) $title_y && wait_until 2 ended' ||
      fail "$how: still running after clicks on the close button"
  fi
  wait_galaxy 30 || status=$?
  [[ $status -eq 0 ]] || fail "$how: status $status after $end (stderr: $(cat "$OUT/galaxy.stderr"))"
  echo "on Wayland, $how: glow, preset 7, and $end ended it with status 0"
}

start_weston
session TERM "no X display"
session close "SDL_VIDEODRIVER=wayland" SDL_VIDEODRIVER=wayland

# With both an X server and a compositor, X11 is taken: the window is an X
# window, placed where the form says.
x_window() { grep -q '"Galaxy": ("galaxy"' <<<"$(xwininfo -root -tree)"; }
spawn env WAYLAND_DISPLAY=galaxy-test "$GALAXY" 2>"$OUT/galaxy.stderr"
GALAXY_PID=$!
wait_until 60 x_window || fail "with both displays the viewer did not open an X window"
kill -TERM "$GALAXY_PID"
wait_galaxy 30 || fail "status $? after SIGTERM on X11"
echo "with both displays: an X11 window"

# The compositor goes away under the viewer: a lost display, as on X11.
spawn_wayland_galaxy
wait_until 60 viewer_window_shown || fail "weston shows no window of the viewer before it is killed"
wait_until 60 glowing_on_wayland || fail "no galaxy before the compositor is killed"
kill -KILL "$WM_PID"
status=0
wait_galaxy 10 || status=$?
[[ $status -eq 1 ]] || fail "status $status after the compositor died, expected 1"
[[ "$(cat "$OUT/galaxy.stderr")" == "galaxy: lost the connection to the display" ]] ||
  fail "standard error after the compositor died: $(cat "$OUT/galaxy.stderr")"
echo "on Wayland, the compositor killed: status 1 and the lost-display line"
echo "wayland test passed"
