# Sourced by the tests of the Windows program: the X session of the other
# end-to-end tests, and a Wine prefix that the test makes and removes, with a
# wineserver that dies with the test however it ends, taking every Windows
# process of the prefix with it.
# Arguments: galaxy.exe, a folder for screenshots and logs, the folder of the
# helper programs, the Linux build to compare with.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/x_session.sh" "$1" "$2"
HELPERS=$3
LINUX_BUILD=$4
export WINEPREFIX="$OUT/prefix" WINEDEBUG=-all
# No offers to install Mono or Gecko: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# A fresh prefix (about 10 s), served by a wineserver of our own.
start_wine() {
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  setpriv --pdeathsig KILL -- wineserver --foreground --persistent >/dev/null 2>&1 &
  WINESERVER_PID=$!
  trap 'stop_wine; stop_x_session' EXIT
  timeout 120 wineboot --init >"$OUT/wineboot.log" 2>&1 || fail "wineboot did not set up the prefix"
}

stop_wine() {
  [[ -n "${WINESERVER_PID:-}" ]] || return 0
  timeout 10 wineserver --kill 2>/dev/null || true
  kill -KILL "$WINESERVER_PID" 2>/dev/null || true
  wait "$WINESERVER_PID" 2>/dev/null || true
  WINESERVER_PID=""
  rm -rf "$WINEPREFIX"
}

# Runs a helper program to its end (within a minute) and prints what it
# printed, with Windows' line ends made Unix ones.
windows_program() {
  local output status=0
  output=$(timeout 60 wine "$@" 2>/dev/null) || status=$?
  tr -d '\r' <<<"$output"
  return $status
}

# What Windows says of the viewer's window: sets REPORT to "left L top T width
# W height H client W H iconic 0|1 caption ...".
window_report() { REPORT=$(windows_program "$HELPERS/window_report.exe"); }
report_field() { awk -v f="$1" '{ for (i = 1; i < NF; ++i) if ($i == f) { print $(i + 1); exit } }' <<<"$REPORT"; }

# CPU time (user and system, in ticks of 10 ms) the process PID uses in SECONDS.
cpu_ticks_over() {
  local before
  before=$(cpu_ticks "$1")
  sleep "$2"
  echo $(($(cpu_ticks "$1") - before))
}
# The fields after the command name, which may itself hold spaces.
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
