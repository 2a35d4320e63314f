# Sourced by the Wayland end-to-end tests: weston nested in a private Xvfb,
# and the viewer's own window as weston's scene graph lists it.
# Arguments: the galaxy executable and a folder for screenshots and logs.
X_SESSION_LATER=1
source "$(dirname "${BASH_SOURCE[0]}")/x_session.sh" "$@"
readonly OUTPUT_WIDTH=1024 OUTPUT_HEIGHT=800
OUTPUT_SCALE=${OUTPUT_SCALE:-1}  # weston's output scale: its window is the output's size times it

# Xvfb, and weston in a window of it: weston stands in the window manager's
# place (WM_PID), so stop_x_session ends both. With --debug weston answers
# weston-debug, which shows its scene graph.
start_weston() {
  rm -f "$OUT/display"
  spawn Xvfb -displayfd 3 -screen 0 "$((1024 * OUTPUT_SCALE))x$((1024 * OUTPUT_SCALE))x24" -nolisten tcp \
    3>"$OUT/display" 2>/dev/null
  XVFB_PID=$!
  wait_until 30 test -s "$OUT/display" || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$OUT/display")"
  export XDG_RUNTIME_DIR="$OUT/runtime"
  rm -rf "$XDG_RUNTIME_DIR" && mkdir -m 700 "$XDG_RUNTIME_DIR"
  spawn weston --debug --backend=x11-backend.so --use-pixman --socket=galaxy-test --idle-time=0 \
    --width=$OUTPUT_WIDTH --height=$OUTPUT_HEIGHT --scale="$OUTPUT_SCALE" >"$OUT/weston.log" 2>&1
  WM_PID=$!
  wait_until 60 test -S "$XDG_RUNTIME_DIR/galaxy-test" || fail "weston did not start (see $OUT/weston.log)"
  xdotool mousemove 400 400  # X keyboard focus follows the pointer into weston's window
}

# Starts the viewer on weston without an X display (arguments: env
# settings); sets GALAXY_PID.
spawn_wayland_galaxy() {
  spawn env -u DISPLAY WAYLAND_DISPLAY=galaxy-test "$@" "$GALAXY" 2>"$OUT/galaxy.stderr"
  GALAXY_PID=$!
}

# For the tests that run on either system (SYSTEM, x11 or wayland): the
# display server of a run (Xvfb, or weston nested in an Xvfb), SERVER_PID
# being the process to freeze or kill, and the viewer on it.
start_session() {
  if [[ $SYSTEM == x11 ]]; then start_x_session; SERVER_PID=$XVFB_PID; else start_weston; SERVER_PID=$WM_PID; fi
}
launch_galaxy() {
  if [[ $SYSTEM == x11 ]]; then spawn "$GALAXY" 2>"$OUT/galaxy.stderr"; GALAXY_PID=$!; else spawn_wayland_galaxy; fi
}

# Weston shows a top-level window of this viewer's process: not just any
# window, as weston may still be fading out the one of an earlier viewer.
viewer_window_shown() {
  local scene
  scene=$(WAYLAND_DISPLAY=galaxy-test timeout 10 weston-debug scene-graph 2>/dev/null) &&
    [[ "$scene" == *"role xdg_toplevel, PID $GALAXY_PID,"* ]]
}
