#!/usr/bin/env bash
# The Windows program in Wine's virtual desktop, where Wine draws the frame
# and runs Windows' own loops for moving, sizing and the window menu, as
# Windows does: the galaxy turns while the title bar is held, a frame drawn
# while a border is held fills the new client area, the galaxy turns while
# the window menu (Alt+Space) is open and Escape gives the keys back,
# Alt+letter acts as the letter without a beep, and at the end of the
# session the whole close runs before WM_ENDSESSION returns, status 0.
# Every check runs and says what it saw; the test fails if any failed.
# Usage: desktop_test.sh GALAXY_EXE OUTPUT_DIR HELPERS_DIR LINUX_BUILD BELL_WATCH
X_SESSION_LATER=1 source "$(dirname "$0")/wine_session.sh" "$@"
bell_watch=$5
rm -f "$OUT"/*.png
failures=()
check() { # MESSAGE COMMAND...: records MESSAGE when COMMAND fails
  local message=$1
  shift
  "$@" || { failures+=("$message"); echo "FAILED: $message" >&2; }
}

# Openbox without key bindings: its own Alt+Space menu would take the key.
export XDG_CONFIG_HOME=$OUT/config
mkdir -p "$XDG_CONFIG_HOME/openbox"
echo '<openbox_config xmlns="http://openbox.org/3.4/rc"><keyboard/></openbox_config>' \
  >"$XDG_CONFIG_HOME/openbox/rc.xml"
start_x_session 1600x1200x24
start_wine
wine_setting() { wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1 || fail "cannot set $2"; }
# A desktop of its own name: the default one may exist already, not virtual.
wine_setting 'HKCU\Software\Wine\Explorer' Desktop Galaxy
wine_setting 'HKCU\Software\Wine\Explorer\Desktops' Galaxy 1400x1100
# The trace shows the window procedure's calls and, within them, these.
wine_setting 'HKCU\Software\Wine\Debug' RelayInclude 'opengl32.wglDeleteContext;user32.ReleaseDC'

spawn "$bell_watch" >"$OUT/bells.txt"
BELL_PID=$!
spawn env WINEDEBUG=+relay wine "$GALAXY" 2>"$OUT/galaxy.trace"
GALAXY_PID=$!
desktop_shown() { WINDOW=$(xdotool search --onlyvisible --name 'Wine desktop$' 2>/dev/null | head -1) && [[ -n $WINDOW ]]; }
wait_until 120 desktop_shown || fail "no virtual desktop appeared; windows: $(xdotool search --name . getwindowname %@ 2>/dev/null | tr "\n" ";")"
wait_until 120 window_report || fail "window_report found no window"

report_pair() { awk -v f="$1" '{ for (i = 1; i < NF; ++i) if ($i == f) { print $(i + 1), $(i + 2); exit } }' <<<"$REPORT"; }
# The client area, cut from a shot of the desktop, to $OUT/NAME.png.
client_shot() {
  local w h x y
  wait_until 30 window_report || return 1
  read -r w h < <(report_pair client)
  read -r x y < <(report_pair origin)
  import -window "$WINDOW" "$OUT/desktop.png" 2>/dev/null &&
    convert "$OUT/desktop.png" -crop "${w}x$h+$x+$y" +repage "$OUT/$1.png"
}
bells() { grep -c bell "$OUT/bells.txt" || true; }
pixels_differ() { compare -metric AE "$OUT/$1.png" "$OUT/$2.png" null: 2>&1 || true; }
# The galaxy turns: a shot differs from the one before it, within 20 s.
turning() {
  local name=$1 count=0
  client_shot "$name-0" || return 1
  until client_shot "$name-$((++count))" && [[ $(pixels_differ "$name-0" "$name-$count") != 0 ]]; do
    ((count < 40)) || { echo "$name: the picture did not change in $count shots" >&2; return 1; }
    sleep 0.5
  done
  echo "$name: $(pixels_differ "$name-0" "$name-$count") pixels changed by shot $count ($(bells) beeps so far)"
}
glowing_client() {
  client_shot start || return 1
  local w h
  read -r w h < <(report_pair client)
  awk -v b="$(brightness "$OUT/start.png" "100x100+$((w / 2 - 50))+$((h / 2 - 50))")" 'BEGIN { exit !(b > 20) }'
}
wait_until 120 glowing_client || fail "the window shows no galaxy"
check "the galaxy does not turn to begin with" turning idle

held_down() { # X Y DX DY: presses the mouse at X Y on the desktop and moves it by DX DY, six times
  xdotool mousemove --window "$WINDOW" "$1" "$2" mousedown 1
  for _ in 1 2 3 4 5 6; do xdotool mousemove_relative -- "$3" "$4"; sleep 0.1; done
}
field() { report_field "$1"; }

# Moving: the title bar held down, mid-drag.
wait_until 30 window_report || fail "window_report found no window"
left=$(field left)
read -r _ client_top < <(report_pair origin)
held_down $((left + 300)) $(((client_top + $(field top)) / 2)) 10 5
wait_until 30 eval 'window_report && (($(field left) > left))' || fail "the window did not move"
check "the galaxy stands still while the window is dragged" turning dragged
xdotool mouseup 1

# Sizing: the bottom-right corner held down, after a shrink by 300 x 300.
wait_until 30 window_report || fail "window_report found no window"
width=$(field width)
held_down $(($(field left) + width - 2)) $(($(field top) + $(field height) - 2)) -50 -50
wait_until 30 eval 'window_report && (($(field width) <= width - 200))' || fail "the window was not sized"
centred() { # the picture's brightness centroid lies near the client area's middle
  client_shot sized || return 1
  local cx cy w h
  read -r cx cy < <(identify -verbose -moments "$OUT/sized.png" | awk -F'[:,]' '/Centroid/ { print $2, $3; exit }')
  read -r w h < <(identify -format '%w %h\n' "$OUT/sized.png")
  SIZED="centroid $cx,$cy in a client area of ${w}x$h"
  awk -v x="$cx" -v y="$cy" -v w="$w" -v h="$h" 'BEGIN { exit !((x - w / 2) ^ 2 < (w / 10) ^ 2 && (y - h / 2) ^ 2 < (h / 10) ^ 2) }'
}
wait_until 20 centred || true  # the check below says what it saw
echo "while sized: $SIZED"
check "the frame drawn while sizing does not fill the window ($SIZED)" centred
check "the galaxy stands still while the window is sized" turning sizing
xdotool mouseup 1

# The window menu, opened by Alt+Space, closed by Escape.
xdotool windowactivate --sync "$WINDOW" 2>/dev/null || true
xdotool mousemove --window "$WINDOW" 1300 1000
xdotool key alt+space
wait_until 30 eval 'window_report && [[ $(field menu) == 1 ]]' || fail "Alt+Space opened no window menu"
check "the galaxy stands still while the window menu is open" turning menu
# As on Windows, the first Escape closes the menu and leaves the keyboard on
# the window's icon; the second gives it back to the window.
xdotool key Escape
wait_until 30 eval 'window_report && [[ $(field menu) == 0 ]]' || fail "Escape did not close the window menu"
xdotool key Escape
caption_of() { sed 's/.* caption //' <<<"$REPORT"; }
wait_until 30 window_report || fail "window_report found no window"
before=$(caption_of)
xdotool key Up
keys_back() { window_report && [[ $(caption_of) != "$before" ]]; }
check "after Escape the keys do not reach the galaxy" wait_until 30 keys_back

# Alt+letter acts as the letter, and Windows is not asked for a beep.
arms() { window_report && sed 's/.*Arm(\([0-9]*\):.*/\1/' <<<"$(caption_of)"; }
bells_before=$(bells)
arms_before=$(arms)
xdotool key alt+x alt+x
arms_are() { [[ $(arms) == "$1" ]]; }
check "Alt+X twice did not add two arms" wait_until 30 arms_are $((arms_before + 2))
wait_until 30 window_report || fail "window_report found no window"
before=$(caption_of)
xdotool key Down
wait_until 30 keys_back || fail "Down after Alt+X changed nothing"
rang() { (($(bells) > bells_before)); }
wait_until 3 rang && check "Alt+letter asked for $(($(bells) - bells_before)) beeps" false
echo "beeps before Alt+letter: $bells_before, after: $(bells)"

# The end of the session: the close (the GL context deleted, the device
# context released) runs inside WM_ENDSESSION, and the viewer ends with 0.
wait_until 30 window_report || fail "window_report found no window"
handle=$(field handle)
timeout 60 wineboot --end-session >"$OUT/end-session.log" 2>&1 || fail "wineboot --end-session failed"
status=0
wait_galaxy || status=$?
# Once WM_ENDSESSION has returned, Windows may end the process at any time,
# and Wine's end of the session kills what has not exited yet (status 137):
# on a busy machine that can come before the viewer's own exit with 0.
returned=$(grep -c "Ret  window proc .*hwnd=$handle,msg=WM_ENDSESSION,wp=00000001" "$OUT/galaxy.trace" || true)
echo "status $status at the end of the session; WM_ENDSESSION returned: $returned"
check "the viewer ended with status $status at the end of the session" \
  test "$status" == 0 -o \( "$status" == 137 -a "$returned" -gt 0 \)
released=$(awk -v hwnd="hwnd=$handle" '/Call window proc .*msg=WM_ENDSESSION,wp=00000001/ && index($0, hwnd) { inside = 1 }
  inside && /Ret  window proc .*msg=WM_ENDSESSION/ && index($0, hwnd) { inside = 0 }
  inside && /Call (opengl32.wglDeleteContext|user32.ReleaseDC)\(/ { sub(/\(.*/, ""); sub(/.*Call /, ""); print }' \
  "$OUT/galaxy.trace" | sort -u | tr '\n' ' ')
echo "released within WM_ENDSESSION: ${released:-nothing}"
check "the close did not run within WM_ENDSESSION (released: ${released:-nothing})" \
  test "$released" == "opengl32.wglDeleteContext user32.ReleaseDC "
stop_process "$BELL_PID"

((${#failures[@]} == 0)) || fail "${#failures[@]} checks failed: $(printf '%s; ' "${failures[@]}")"
echo "desktop test passed"
