#!/usr/bin/env bash
# The display server freezes at some moment of the viewer's start-up (the
# instant it connects, then a series of later points up to the first frames)
# and is then killed. Wherever that falls (the server's first answers, SDL's
# start-up, the title bar's set-up, EGL, the first configure, a swap), the
# viewer must end with the lost-display line and status 1, soon, and never
# spin on the dead connection. Every run is reported; the test fails at the
# end if any went wrong.
# Usage: startup_loss_test.sh GALAXY_EXECUTABLE OUTPUT_DIR x11|wayland
# GALAXY_SWEEP_ROUNDS repeats the whole sweep (default 1).
source "$(dirname "$0")/wayland_session.sh" "$1" "$2"
readonly SYSTEM=$3
readonly LOST_LINE="galaxy: lost the connection to the display"
# Seconds after the viewer connects at which the server freezes.
readonly MOMENTS=(0 0 0 0.01 0.02 0.04 0.07 0.1 0.15 0.25 0.4)
readonly FROZEN_FOR=0.2  # long enough for the viewer to be waiting on it
readonly END_LIMIT=10    # seconds: a viewer still running then is spinning or stuck

# Watches, without sleeping, for the viewer's first socket: the instant it
# connects to the server. Bounded; fails if it never does.
await_connection() {
  local deadline=$((SECONDS + 60)) fd
  while ((SECONDS < deadline)); do
    for fd in /proc/"$GALAXY_PID"/fd/*; do [[ -S $fd ]] && return 0; done
    [[ -d /proc/$GALAXY_PID ]] || return 1
  done
  return 1
}

sweep_run() {
  local moment=$1 how="$SYSTEM, frozen $1 s after connecting, then killed" killed_at status ms
  start_session
  launch_galaxy
  await_connection || { problem "$how: the viewer never connected"; stop_x_session; return; }
  [[ $moment == 0 ]] || sleep "$moment"
  kill -STOP "$SERVER_PID"
  sleep "$FROZEN_FOR"
  killed_at=$(date +%s%N)
  kill -KILL "$SERVER_PID"
  status=0
  wait_galaxy "$END_LIMIT" || status=$?
  ms=$((($(date +%s%N) - killed_at) / 1000000))
  echo "$how: status $status after $ms ms, standard error: $(cat "$OUT/galaxy.stderr")"
  ((status == 1)) || problem "$how: status $status, expected 1"
  ((ms <= EXIT_LIMIT_MS)) || problem "$how: took $ms ms to end, allowed $EXIT_LIMIT_MS"
  [[ "$(cat "$OUT/galaxy.stderr")" == "$LOST_LINE" ]] ||
    problem "$how: standard error was '$(cat "$OUT/galaxy.stderr")', expected '$LOST_LINE'"
  stop_x_session
}

for round in $(seq "${GALAXY_SWEEP_ROUNDS:-1}"); do
  for moment in "${MOMENTS[@]}"; do sweep_run "$moment"; done
done
fail_on_problems
echo "start-up loss test ($SYSTEM) passed"
