#!/usr/bin/env bash
# A long random session: keys the viewer acts on and keys it ignores, wheel
# turns, resizes, minimising and restoring, thrown at it for a while in no
# order, then a close through the window manager. The viewer must still be
# there, end with status 0 and (in a sanitizer build, where leaks are
# checked at exit) leave nothing of ours leaked.
# Usage: long_session_test.sh GALAXY_EXECUTABLE OUTPUT_DIR [SECONDS]
source "$(dirname "$0")/x_session.sh" "$1" "$2"
readonly DURATION=${3:-30}
readonly KEYS=(Up Down Left Right KP_Divide KP_Multiply KP_Add KP_Subtract space F3 z x a s b n d f j k c v g h q w
  1 2 3 4 5 6 7 8 9 0 Escape Return F1 e r t y u)
RANDOM=$$  # a different session each run; the seed is printed to repeat one
echo "random seed $RANDOM"

one_event() {
  case $((RANDOM % 20)) in
    0) xdotool mousemove --window "$WINDOW" 50 50 click $((4 + RANDOM % 2)) ;;
    1) xdotool windowsize "$WINDOW" $((100 + RANDOM % 900)) $((100 + RANDOM % 700)) ;;
    2) xdotool windowminimize "$WINDOW"; wmctrl -i -a "$WINDOW" ;;
    *) xdotool key "${KEYS[RANDOM % ${#KEYS[@]}]}" ;;
  esac
}

start_galaxy
focus_galaxy
events=0
ends_at=$((SECONDS + DURATION))
while ((SECONDS < ends_at)); do
  # Rings grow with S and twist with keys held long: preset 7 now and then
  # keeps the galaxy within what a slow instrumented build draws in time.
  ((events % 200 != 199)) || xdotool key 7
  one_event 2>/dev/null || true
  events=$((events + 1))
  kill -0 "$GALAXY_PID" 2>/dev/null || fail "the viewer ended after $events events (stderr: $(cat "$OUT/galaxy.stderr"))"
done
echo "$events events in $DURATION s"
wmctrl -i -a "$WINDOW" 2>/dev/null || true
status=0
close_galaxy || status=$?
[[ $status -eq 0 ]] || fail "status $status after the session (stderr: $(tail -40 "$OUT/galaxy.stderr"))"
[[ ! -s "$OUT/galaxy.stderr" ]] || fail "the viewer complained: $(tail -40 "$OUT/galaxy.stderr")"
echo "long session test passed"
