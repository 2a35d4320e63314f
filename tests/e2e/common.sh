# Sourced by every end-to-end test: strict mode, the one way to fail, bounded
# waits, and children that cannot outlive the test however it ends.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }

# An end that should come at once is allowed seconds: the figure itself is
# printed for a reader, and the faults these limits catch take far longer or
# never end. A sanitizer build may ask for more (giving back its shadow
# memory alone can take seconds on a busy machine).
readonly EXIT_LIMIT_MS=${GALAXY_EXIT_LIMIT_MS:-5000}

# Tests made of many runs note each run's problems and fail at the end, so
# that one run's fault does not hide the others'.
problems=()
problem() { echo "  PROBLEM: $*" >&2; problems+=("$*"); }
fail_on_problems() {
  ((${#problems[@]} == 0)) || fail "problems found: ${#problems[@]}$(printf '\n  %s' "${problems[@]}")"
}

# Retries a command every 0.1 s until it succeeds or SECONDS_ALLOWED pass;
# the deadlines are generous because CI runs on a busy machine.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Every child started with spawn carries this tag, and so does whatever it
# starts in turn (a compositor's clients, a daemon that leaves its parent):
# the test ends them all by it, and the suite's last test looks for them.
readonly CHILD_TAG="GALAXY_E2E_OWNER=$(basename "$0")[$$]"

# The processes whose environment holds the line TAG (NAME=VALUE).
tagged_processes() {
  { grep -lzxF -- "$1" /proc/[0-9]*/environ 2>/dev/null || true; } | cut -d/ -f3
}

# Starts a command in the background, like "command &", but tagged and set
# to be killed the moment this shell dies, even by SIGKILL, which runs no
# trap (as when CTest gives up on a test). Call it from the test's own
# shell, never from a subshell: the child dies with whichever shell started it.
# A script's background command would ignore SIGINT; this one takes every
# signal as a program started from a terminal does.
spawn() { env --default-signal "$CHILD_TAG" setpriv --pdeathsig KILL -- "$@" & }

# Waits at most LIMIT seconds for the child PID to end and sets EXIT_STATUS.
# A child still running then is killed, and the wait fails.
wait_exit() {
  local pid=$1 timer ended=""
  spawn sleep "$2"
  timer=$!
  EXIT_STATUS=0
  wait -n -p ended "$pid" "$timer" 2>/dev/null || EXIT_STATUS=$?
  if [[ "$ended" == "$timer" ]]; then
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || EXIT_STATUS=$?
    return 1
  fi
  kill -KILL "$timer" 2>/dev/null || true
  wait "$timer" 2>/dev/null || true
}

# Ends the child PID: SIGTERM (with SIGCONT, should it be stopped), then
# SIGKILL if it is still there after a few seconds.
# A PID that is no longer ours (it ended, and the number may be in use again)
# is left alone.
stop_process() {
  [[ -n "$1" ]] && grep -qzxF -- "$CHILD_TAG" "/proc/$1/environ" 2>/dev/null || return 0
  kill -TERM "$1" 2>/dev/null || true
  kill -CONT "$1" 2>/dev/null || true
  wait_exit "$1" 5 || true
}

# On the way out, whatever the reason: everything the test started and did
# not end itself gets SIGTERM, then SIGKILL after a few seconds. A child that
# is signalled before it has become its command is still this shell and
# runs the trap too; only the test's own shell may act on it.
end_children() {
  local pids
  ((BASHPID == $$)) || return 0
  pids=$(tagged_processes "$CHILD_TAG")
  [[ -n "$pids" ]] || return 0
  kill -TERM $pids 2>/dev/null || true
  kill -CONT $pids 2>/dev/null || true
  wait_until 5 eval '[[ -z "$(tagged_processes "$CHILD_TAG")" ]]' ||
    kill -KILL $(tagged_processes "$CHILD_TAG") 2>/dev/null || true
  wait 2>/dev/null || true
}
trap end_children EXIT
