#!/usr/bin/env bash
# The display server stops answering under the viewer: it is frozen (SIGSTOP)
# from the viewer's first request on, or once the window shows. Frozen, it must
# cost the viewer next to no CPU; SIGTERM, SIGINT or SIGHUP must still end the
# viewer at once, without closing the window, and a frozen server that is
# killed is a lost display. Beside it, the same signals with a live server
# (once minimised) close the window as usual: status 0, nothing said.
# Every run is reported; the test fails at the end if any went wrong.
# Usage: frozen_display_test.sh GALAXY_EXECUTABLE OUTPUT_DIR x11|wayland
source "$(dirname "$0")/wayland_session.sh" "$1" "$2"
readonly SYSTEM=$3
readonly FROZEN_LINE="galaxy: the display does not answer; ended without closing the window"
readonly LOST_LINE="galaxy: lost the connection to the display"

window_shown() {
  if [[ $SYSTEM == x11 ]]; then find_window && glowing; else viewer_window_shown; fi
}

# The viewer holds a socket: the first one it opens is its display connection.
connected() {
  local fd
  for fd in /proc/"$GALAXY_PID"/fd/*; do [[ -S $fd ]] && return 0; done
  return 1
}

# Sends the viewer SIGNAL (or, for KILL, kills the server), waits for it to
# end and sets STATUS and MS, the time it took.
end_with() {
  local sent_at
  sent_at=$(date +%s%N)
  if [[ $1 == KILL ]]; then kill -KILL "$SERVER_PID"; else kill "-$1" "$GALAXY_PID"; fi
  STATUS=0
  wait_galaxy $((EXIT_LIMIT_MS / 1000 + 5)) || STATUS=$?
  MS=$((($(date +%s%N) - sent_at) / 1000000))
}

# The run's outcome against the expected status and standard error (exactly
# the one line, or nothing).
judge() {
  local how=$1 status=$2 line=$3
  echo "$how: status $STATUS after $MS ms, standard error: $(cat "$OUT/galaxy.stderr")"
  ((STATUS == status)) || problem "$how: status $STATUS, expected $status"
  ((MS <= EXIT_LIMIT_MS)) || problem "$how: took $MS ms to end, allowed $EXIT_LIMIT_MS"
  printf '%s' "${line:+$line$'\n'}" | cmp -s - "$OUT/galaxy.stderr" ||
    problem "$how: standard error was '$(cat "$OUT/galaxy.stderr")', expected '$line'"
}

# The server freezes at POINT (connect, shown) and stays frozen; then ACTION:
# a signal for the viewer (TERM, INT, HUP), or KILL for the server.
frozen_run() {
  local point=$1 action=$2 ticks how="$SYSTEM, frozen at $1, then $2"
  start_session
  if [[ $point == connect ]]; then
    # Frozen first, the server cannot answer even the first request: the
    # connection is made (the kernel queues it) and the viewer waits there.
    kill -STOP "$SERVER_PID"
    launch_galaxy
    wait_until 60 connected || fail "$how: the viewer did not connect"
  else
    launch_galaxy
    wait_until 60 window_shown || fail "$how: the window did not show"
    kill -STOP "$SERVER_PID"
  fi
  ticks=$(idle_cpu_ticks_over 2)
  echo "$how: $ticks CPU ticks in 2 s while the server was frozen"
  ((ticks <= IDLE_TICKS_ALLOWED)) || problem "$how: the viewer used $ticks CPU ticks in 2 s while the server was frozen"
  end_with "$action"
  if [[ $action == KILL ]]; then
    judge "$how" 1 "$LOST_LINE"
  else
    judge "$how" $((128 + $(kill -l "$action"))) "$FROZEN_LINE"
  fi
  [[ $action == KILL ]] || kill -CONT "$SERVER_PID"  # thawed, it ends like any other
  stop_x_session
}

# The server answers; SIGNAL closes the window as the window manager would.
live_run() {
  local signal=$1 minimised=${2:-} how="$SYSTEM, live${2:+ and minimised}, then $1"
  start_session
  launch_galaxy
  wait_until 60 window_shown || fail "$how: the window did not show"
  [[ -z $minimised ]] || xdotool windowminimize --sync "$WINDOW"
  end_with "$signal"
  judge "$how" 0 ""
  stop_x_session
}

if [[ $SYSTEM == x11 ]]; then
  frozen_run connect TERM
  frozen_run connect KILL
  frozen_run shown INT
  frozen_run shown KILL
  live_run TERM minimised
  live_run INT
else
  frozen_run connect HUP
  frozen_run connect KILL
  frozen_run shown TERM
  frozen_run shown KILL
  live_run HUP
fi
fail_on_problems
echo "frozen display test ($SYSTEM) passed"
