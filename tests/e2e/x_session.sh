# Sourced by the end-to-end tests: a private X server with a window manager,
# torn down when the test exits, and helpers to drive the viewer in it.
# Arguments: the galaxy executable and a folder for screenshots and logs.
set -euo pipefail
GALAXY=$1
OUT=$2
mkdir -p "$OUT"

fail() { echo "FAIL: $*" >&2; exit 1; }

start_x_session() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" 2>/dev/null &
  XVFB_PID=$!
  for _ in $(seq 100); do [[ -s "$fd_file" ]] && break; sleep 0.05; done
  [[ -s "$fd_file" ]] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$fd_file")"
  rm -f "$fd_file"
  openbox >/dev/null 2>&1 &
  WM_PID=$!
  for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.05; done
  trap stop_x_session EXIT
}

stop_x_session() {
  [[ -n "${GALAXY_PID:-}" ]] && kill "$GALAXY_PID" 2>/dev/null || true
  kill "$WM_PID" "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
}

# Starts the viewer and waits for its window; sets GALAXY_PID and WINDOW.
start_galaxy() {
  "$GALAXY" 2>"$OUT/galaxy.stderr" &
  GALAXY_PID=$!
  WINDOW=""
  for _ in $(seq 200); do
    WINDOW=$(xdotool search --name '^Galaxy' 2>/dev/null | head -1 || true)
    [[ -n "$WINDOW" ]] && break
    sleep 0.05
  done
  [[ -n "$WINDOW" ]] || fail "no window captioned Galaxy appeared"
  sleep 0.5  # a few frames
}

# Mean brightness (0-100) of a region of a screenshot: geometry WxH+X+Y.
brightness() {
  convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:100*mean]' info:
}

caption() { xdotool getwindowname "$WINDOW"; }

# Closes the window through the window manager and returns the exit status.
close_galaxy() {
  wmctrl -i -c "$WINDOW"
  local status=0
  wait "$GALAXY_PID" || status=$?
  GALAXY_PID=""
  return $status
}

start_x_session
