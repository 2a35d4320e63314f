#!/usr/bin/env bash
# The viewer away from the happy path: no usable GL driver (the box, the
# real cause on standard error, signals while the box is up, nothing left
# behind), 8- and 16-bit screens, a small screen, an absurd window size, and
# a minimised window that must not burn CPU.
# Usage: hostile_desktop_test.sh GALAXY_EXECUTABLE OUTPUT_DIR
X_SESSION_LATER=1
source "$(dirname "$0")/x_session.sh" "$@"

# The tree is read whole before grep looks: a grep -q that stops early would
# break the pipe, which strict mode counts as a failure.
box_is_up() { grep -q '"Error": ' <<<"$(xwininfo -root -tree)"; }
children_of() { pgrep -P "$1" || true; }

# Starts the viewer with a setting that leaves it no GL, waits for the box,
# checks standard error for CAUSE, ends it with SIGNAL; checks the status and
# that the box's process went with it.
no_gl_then() {
  local signal=$1 cause=$2 setting=$3 status=0 box_processes sent_at ms
  spawn env "$setting" "$GALAXY" 2>"$OUT/nogl.stderr"
  GALAXY_PID=$!
  wait_until 60 box_is_up || fail "$setting: no Error box"
  grep -q "$cause" "$OUT/nogl.stderr" || fail "$setting: standard error does not name the cause: $(cat "$OUT/nogl.stderr")"
  box_processes=$(children_of "$GALAXY_PID")
  [[ -n "$box_processes" ]] || fail "$setting: the box has no process of its own to check"
  sent_at=$(date +%s%N)
  kill "-$signal" "$GALAXY_PID"
  wait_galaxy 20 || status=$?
  ms=$((($(date +%s%N) - sent_at) / 1000000))
  echo "$setting: SIG$signal with the box up ended the viewer in $ms ms, status $status"
  [[ $signal == KILL ]] || { [[ $status -eq 1 ]] || fail "$setting: status $status after SIG$signal, expected 1"; }
  ((ms <= EXIT_LIMIT_MS)) || fail "$setting: SIG$signal took $ms ms"
  for p in $box_processes; do
    wait_until 5 eval "! kill -0 $p 2>/dev/null" || fail "$setting: the box's process $p outlived the viewer"
  done
}

start_x_session
no_gl_then TERM "no EGL display for the window" __EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json
no_gl_then INT "no usable OpenGL driver" LIBGL_DRIVERS_PATH=/nonexistent
no_gl_then KILL "no usable OpenGL driver" LIBGL_DRIVERS_PATH=/nonexistent

# A minimised window keeps time but draws nothing.
start_galaxy
shown=$(cpu_ticks_over 2)
xdotool windowminimize --sync "$WINDOW"
minimised=$(idle_cpu_ticks_over 2)
echo "CPU over 2 s: shown $shown ticks, minimised $minimised ticks"
((minimised <= IDLE_TICKS_ALLOWED && (minimised <= 2 || minimised * 4 < shown))) ||
  fail "minimised it used $minimised CPU ticks, shown $shown"
wmctrl -i -a "$WINDOW"
wait_until 60 glowing || fail "no glow after the window came back"

# Absurd sizes: the window stays within what GL can draw and keeps drawing.
before=$(client_size)
xdotool windowsize "$WINDOW" 40000 40000
resized() { [[ "$(client_size)" != "$before" ]]; }
wait_until 30 resized || fail "the window manager did not resize the window"
read -r w h < <(client_size)
echo "asked for 40000 x 40000, got $w x $h"
((w <= 8192 && h <= 8192)) || fail "the window grew to $w x $h"
kill -0 "$GALAXY_PID" || fail "the viewer died on the resize"
close_galaxy || fail "status $? after closing the resized window"
stop_x_session

# 16 bits a pixel: the config must match the window's visual.
start_x_session 1280x1024x16
start_galaxy
close_galaxy || fail "status $? on a 16-bit screen"
stop_x_session

# 8 bits a pixel: no GL config can draw there; the box says so.
start_x_session 1280x1024x8
no_gl_then TERM "no usable OpenGL driver\|no OpenGL config" DUMMY=1
stop_x_session

# A screen smaller than the window: moved, then shrunk to the work area.
start_x_session 800x600x24
start_galaxy
read -r fl fr ft fb < <(xprop -id "$WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
info=$(xwininfo -id "$WINDOW")
x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
read -r w h < <(client_size)
frame="$((w + fl + fr))x$((h + ft + fb))+$((x - fl))+$((y - ft))"
echo "on an 800 x 600 screen the frame is $frame"
[[ $frame == 800x600+0+0 ]] || fail "frame $frame on an 800 x 600 screen"
close_galaxy || fail "status $? on a small screen"
echo "hostile desktop test passed"
