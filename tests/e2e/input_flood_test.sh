#!/usr/bin/env bash
# Bursts of 500 keys into a galaxy of about 946,000 points, as fast as xdotool
# types them, on X11 or on Wayland (weston nested in Xvfb): the viewer keeps
# reading its display and stays connected, its caption catches up with the
# last key within seconds, and a close right after another burst ends it at
# once with status 0.
# Usage: input_flood_test.sh GALAXY_EXECUTABLE OUTPUT_DIR x11|wayland
source "$(dirname "$0")/wayland_session.sh" "$1" "$2"
system=$3

if [[ $system == x11 ]]; then
  start_x_session
  start_galaxy
  focus_galaxy
  title() { caption; }
  close_now() { wmctrl -i -c "$WINDOW"; }
else
  start_weston
  spawn_wayland_galaxy
  wait_until 60 viewer_window_shown || fail "no window of the viewer on weston (stderr: $(cat "$OUT/galaxy.stderr"))"
  title() {
    WAYLAND_DISPLAY=galaxy-test timeout 10 weston-debug scene-graph 2>/dev/null |
      sed -n "s/.*PID $GALAXY_PID, .*top-level window '\([^']*\)'.*/\1/p" | head -1
  }
  close_now() { kill -TERM "$GALAXY_PID"; }
fi

arm_group_is() { [[ "$(title)" == *" Arm($1) "* ]]; }
types() { xdotool key --delay 0 $(printf "$1 %.0s" $(seq "$2")); }

# Preset 7 (155 rings, 3 arms), typed until the viewer has the keyboard;
# then 10 more arms and 226 more rings: 13 * 381 * 382 / 2 = 946,011 points.
wait_until 30 eval 'xdotool key 7; arm_group_is 3:155:4.19:64' || fail "preset 7 did not reach the viewer: $(title)"
types x 10
types s 226
wait_until 120 arm_group_is 13:381:4.19:64 || fail "the galaxy did not grow: $(title)"

# Each N adds 0.1 to the twist, in double precision as the viewer does.
twist=$(awk 'BEGIN { t = 1.333 * 3.141592653589793; for (i = 0; i < 500; ++i) t += 0.1; printf "%.2f", t }')
started=$(date +%s%N)
types n 500
wait_until 10 arm_group_is "13:381:$twist:64" ||
  fail "the caption did not catch up with 500 keys: '$(title)' (stderr: $(cat "$OUT/galaxy.stderr"))"
echo "on $system, 500 keys at 946,011 points: the caption caught up $((($(date +%s%N) - started) / 1000000)) ms after the burst began"
kill -0 "$GALAXY_PID" 2>/dev/null || fail "the viewer ended during the burst (stderr: $(cat "$OUT/galaxy.stderr"))"
[[ ! -s "$OUT/galaxy.stderr" ]] || fail "the viewer complained: $(cat "$OUT/galaxy.stderr")"

types b 500
closed_at=$(date +%s%N)
close_now
wait_galaxy 30 || fail "status $? after a close behind 500 keys (stderr: $(cat "$OUT/galaxy.stderr"))"
ms=$((($(date +%s%N) - closed_at) / 1000000))
echo "on $system, a close behind 500 queued keys ended the viewer after $ms ms"
((ms <= EXIT_LIMIT_MS)) || fail "the close took $ms ms"
echo "input flood test passed"
