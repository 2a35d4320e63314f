# Sourced by the end-to-end tests: a private X server with a window manager,
# torn down when the test exits, and helpers to drive the viewer in it.
# Arguments: the galaxy executable and a folder for screenshots and logs.
# The default session (1280x1024, 24-bit) starts at once unless
# X_SESSION_LATER is set; start_x_session SCREEN [XVFB_OPTION...] starts one
# of another kind (say, without GLX: -extension GLX).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
GALAXY=$1
OUT=$2
mkdir -p "$OUT"

start_x_session() {
  local attempt
  for attempt in 1 2 3; do
    try_x_session "$@" && return 0
    echo "the X session did not come up (attempt $attempt): $(tail -1 "$OUT/openbox.log" 2>/dev/null)" >&2
    stop_process "${WM_PID:-}"
    stop_process "${XVFB_PID:-}"
  done
  fail "openbox did not start (see $OUT/openbox.log)"
}

# Now and then, on a busy machine where servers are being killed, a new
# Xvfb's display cannot be opened at first: the session is then tried anew.
try_x_session() {
  local screen=${1:-1280x1024x24} fd_file
  fd_file=$(mktemp)
  spawn Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "${@:2}" 3>"$fd_file" 2>/dev/null
  XVFB_PID=$!
  wait_until 30 test -s "$fd_file" || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$fd_file")"
  rm -f "$fd_file"
  spawn openbox >"$OUT/openbox.log" 2>&1
  WM_PID=$!
  wait_until 30 eval 'wmctrl -m >/dev/null 2>&1'
}

# The viewer, then the window manager (or compositor), then the X server.
stop_x_session() {
  stop_process "${GALAXY_PID:-}"
  stop_process "$WM_PID"
  stop_process "$XVFB_PID"
  GALAXY_PID=""
}

# The viewer's window, once it is on screen.
find_window() {
  WINDOW=$(xdotool search --onlyvisible --name '^Galaxy' 2>/dev/null | head -1 || true)
  [[ -n "$WINDOW" ]]
}

# Starts the viewer (extra arguments go before it, e.g. env settings) and
# waits until its window shows the galaxy; sets GALAXY_PID and WINDOW.
start_galaxy() {
  spawn "$@" "$GALAXY" 2>"$OUT/galaxy.stderr"
  GALAXY_PID=$!
  wait_until "${START_DEADLINE:-60}" find_window || fail "no window captioned Galaxy appeared"
  wait_until "${START_DEADLINE:-60}" glowing || fail "the window shows no galaxy"
}

# Gives the viewer the keyboard and waits until it has it.
focus_galaxy() {
  xdotool windowactivate --sync "$WINDOW" 2>/dev/null || true
  wait_until 30 eval '[[ "$(xdotool getwindowfocus)" == "$WINDOW" ]]' || fail "the viewer did not get the keyboard"
}

# Mean brightness (0-100) of a region of a screenshot: geometry WxH+X+Y.
brightness() {
  convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:100*mean]' info:
}

client_size() { xwininfo -id "$WINDOW" | awk '/Width:/ {w = $NF} /Height:/ {h = $NF} END {print w, h}'; }

# Mean brightness of the middle 100 x 100 of the window, shot to $OUT/NAME.png.
centre_brightness() {
  local name=${1:-window} w h
  read -r w h < <(client_size)
  import -window "$WINDOW" "$OUT/$name.png" 2>/dev/null || return 1
  brightness "$OUT/$name.png" "100x100+$((w / 2 - 50))+$((h / 2 - 50))"
}

glowing() { awk -v b="$(centre_brightness 2>/dev/null || echo 0)" 'BEGIN { exit !(b > 20) }'; }

caption() { xdotool getwindowname "$WINDOW"; }

# Waits for the viewer to end and returns its exit status; one that is still
# running after SECONDS (a minute unless given) is killed: status 137.
wait_galaxy() {
  local limit=${1:-60}
  wait_exit "$GALAXY_PID" "$limit" || echo "the viewer was still running after $limit s" >&2
  GALAXY_PID=""
  return $EXIT_STATUS
}

# Closes the window through the window manager and returns the exit status.
close_galaxy() {
  wmctrl -i -c "$WINDOW"
  wait_galaxy
}

# CPU time (user and system, in ticks of 10 ms) the viewer uses in SECONDS.
cpu_ticks_over() {
  local before
  before=$(cpu_ticks)
  sleep "$1"
  echo $(($(cpu_ticks) - before))
}
# CPU ticks in SECONDS once the work in flight (a frame, a generation) is
# done: first waits, up to half a minute, until the viewer's CPU time stands
# still for half a second. A viewer that spins never does, and is counted
# anyway: a spin costs 50 to 100 ticks a second, an idle viewer next to none.
idle_cpu_ticks_over() {
  wait_until 30 eval '(($(cpu_ticks_over 0.5) <= 1))' || true
  cpu_ticks_over "$1"
}
readonly IDLE_TICKS_ALLOWED=20  # in 2 s: a tenth of what a spin costs
# The fields after the command name, which may itself hold spaces.
cpu_ticks() { sed 's/.*) //' "/proc/$GALAXY_PID/stat" | awk '{ print $12 + $13 }'; }

[[ -n "${X_SESSION_LATER:-}" ]] || start_x_session
