#!/usr/bin/env bash
# The X server dies under the running viewer, by SIGTERM and by SIGKILL, a
# dozen times: every run must end within seconds with one clear line on standard
# error and status 1, not spin, abort or print Xlib's messages.
# Usage: display_loss_test.sh GALAXY_EXECUTABLE OUTPUT_DIR
X_SESSION_LATER=1
source "$(dirname "$0")/x_session.sh" "$@"
expected="galaxy: lost the connection to the display"

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
  status=0
  wait_galaxy 20 || status=$?
  ms=$((($(date +%s%N) - killed_at) / 1000000))
  echo "run $run: X server killed by SIG$signal, viewer ended after $ms ms with status $status"
  [[ $status -eq 1 ]] || fail "run $run: status $status, expected 1"
  [[ "$(cat "$OUT/galaxy.stderr")" == "$expected" ]] || fail "run $run: standard error was: $(cat "$OUT/galaxy.stderr")"
  ((ms <= EXIT_LIMIT_MS)) || fail "run $run: took $ms ms to end"
  stop_x_session
done
echo "display loss test passed"
