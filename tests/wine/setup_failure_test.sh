#!/usr/bin/env bash
# On a display without OpenGL (an X server without GLX) Wine's WGL has no
# pixel format: the program shows the box "ChoosePixelFormat failed"
# captioned "Error", says why on standard error, and once the box is
# dismissed ends with status 1.
# Usage: setup_failure_test.sh GALAXY_EXE OUTPUT_DIR HELPERS_DIR LINUX_BUILD
X_SESSION_LATER=1 source "$(dirname "$0")/wine_session.sh" "$@"
start_x_session 1280x1024x24 -extension GLX
start_wine
spawn wine "$GALAXY" 2>"$OUT/galaxy.stderr"
GALAXY_PID=$!
box_shown() { BOX=$(xdotool search --onlyvisible --name '^Error$' 2>/dev/null | head -1) && [[ -n "$BOX" ]]; }
wait_until 60 box_shown || fail "no box captioned Error appeared"
box=$(windows_program "$HELPERS/window_report.exe" box) || fail "window_report found no box"
[[ "$box" == $'caption Error\ntext ChoosePixelFormat failed' ]] || fail "the box says: $box"
xdotool windowactivate --sync "$BOX"
xdotool key Return
status=0
wait_galaxy || status=$?
[[ $status == 1 ]] || fail "exit status $status after the failed set-up, expected 1"
grep -q '^galaxy: ' "$OUT/galaxy.stderr" || fail "nothing on standard error"
echo "standard error: $(cat "$OUT/galaxy.stderr")"
echo "setup failure test passed"
