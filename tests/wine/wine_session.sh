# Sourced by the tests of the Windows program: the X session of the other
# end-to-end tests, and a Wine prefix that the test makes and removes.
# Arguments: galaxy.exe, a folder for screenshots and logs, the folder of the
# helper programs, the Linux build to compare with.

# Wine's processes outlive a wineserver killed under them (they wait on it
# for ever), so each test runs in a PID namespace of its own: when the test
# ends, however it ends (CTest's SIGKILL too), the kernel kills everything in
# it. A user who is not root gets a user namespace for it too.
if [[ -z "${GALAXY_WINE_NAMESPACE:-}" ]]; then
  namespace=(--pid --fork --kill-child --mount-proc)
  ((EUID == 0)) || namespace=(--user --map-root-user "${namespace[@]}")
  GALAXY_WINE_NAMESPACE=1 exec unshare "${namespace[@]}" bash "$0" "$@"
fi
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/x_session.sh" "$1" "$2"
HELPERS=$3
LINUX_BUILD=$4
export WINEPREFIX="$OUT/prefix" WINEDEBUG=-all
# No offers to install Mono or Gecko: the program needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

# A fresh prefix (a few seconds), served by a wineserver of our own.
start_wine() {
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  spawn wineserver --foreground --persistent >"$OUT/wineserver.log" 2>&1
  WINESERVER_PID=$!
  trap 'stop_wine; end_children' EXIT
  timeout 120 wineboot --init >"$OUT/wineboot.log" 2>&1 || fail "wineboot did not set up the prefix"
  windows_version win10
}

# The Windows version the prefix presents (Wine's own default is Windows 7).
windows_version() {
  wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$1" /f >/dev/null 2>&1 || fail "cannot set Windows $1"
}

# Every Windows process of the prefix, then the server, then the prefix.
stop_wine() {
  ((BASHPID == $$)) && [[ -n "${WINESERVER_PID:-}" ]] || return 0
  timeout 10 wineserver --kill 2>/dev/null || true
  stop_process "$WINESERVER_PID"
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
# W height H client W H iconic 0|1 caption ...". A helper started under
# Wine can fail now and then on a busy machine: callers wait for a report.
window_report() { REPORT=$(windows_program "$HELPERS/window_report.exe"); }
report_field() { awk -v f="$1" '{ for (i = 1; i < NF; ++i) if ($i == f) { print $(i + 1); exit } }' <<<"$REPORT"; }
