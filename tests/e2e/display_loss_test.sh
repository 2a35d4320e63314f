#!/usr/bin/env bash
# The X server dies under the running viewer, by SIGTERM and by SIGKILL, a
# dozen times: every run must end within 2 s with one clear line on standard
# error and status 1, not spin, abort or print Xlib's messages.
# Usage: display_loss_test.sh GALAXY_EXECUTABLE OUTPUT_DIR
X_SESSION_LATER=1
source "$(dirname "$0")/x_session.sh" "$@"
expected="galaxy: lost the connection to the display"

# Waits up to 10 s for the viewer to end, looking every 10 ms.
wait_for_exit() {
  for _ in $(seq 1000); do
    kill -0 "$GALAXY_PID" 2>/dev/null || return 0
    sleep 0.01
  done
  return 1
}

for run in $(seq 12); do
  signal=$( ((run % 2)) && echo TERM || echo KILL)
  start_x_session
  start_galaxy
  # More points on odd runs: longer frames, so the death often falls inside
  # a buffer swap.
  ((run % 4 < 2)) && xdotool key 7 s s s
  sleep "0.$((RANDOM % 10))"  # a different moment of each frame
  killed_at=$(date +%s%N)
  kill "-$signal" "$XVFB_PID"
  wait_for_exit || { kill -KILL "$GALAXY_PID"; fail "run $run ($signal): still running 10 s after the X server died"; }
  ms=$((($(date +%s%N) - killed_at) / 1000000))
  status=0
  wait "$GALAXY_PID" || status=$?
  GALAXY_PID=""
  echo "run $run: X server killed by SIG$signal, viewer ended after $ms ms with status $status"
  [[ $status -eq 1 ]] || fail "run $run: status $status, expected 1"
  [[ "$(cat "$OUT/galaxy.stderr")" == "$expected" ]] || fail "run $run: standard error was: $(cat "$OUT/galaxy.stderr")"
  ((ms <= 2000)) || fail "run $run: took $ms ms to end"
  stop_x_session
done
echo "display loss test passed"
