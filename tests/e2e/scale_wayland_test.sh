#!/usr/bin/env bash
# On a Wayland output of scale 2 the viewer draws at device resolution: its
# buffer is the 823 x 740 client area times 2 with a buffer scale of 2, read
# off the protocol as the compositor receives it, and the picture on the
# screen is as bright as the 100 % picture blown up twice (dots of 5 device
# pixels in that buffer would leave it much darker).
# Usage: scale_wayland_test.sh GALAXY_EXECUTABLE OUTPUT_DIR
OUTPUT_SCALE=2
source "$(dirname "$0")/wayland_session.sh" "$@"
readonly SNAPSHOT="$(dirname "$GALAXY")/galaxy-snapshot"

# Mean brightness (0-100) of the 300 x 300 device pixels about the glow's
# core (below weston's panel) in a screenshot.
glow_grey() {
  local x y
  read -r x y < <(convert "$1" -crop "$((OUTPUT_WIDTH * 2))x$((OUTPUT_HEIGHT * 2 - 100))+0+100" +repage \
    -colorspace gray -threshold 80% png:- | identify -verbose -moments - 2>/dev/null |
    awk -F'[:,]' '/Centroid/ { printf "%d %d\n", $2, $3 + 100; exit }')
  [[ -n "$x" ]] && brightness "$1" "300x300+$((x - 150))+$((y - 150))"
}
glowing_at_scale() { import -window root "$OUT/scaled.png" 2>/dev/null && [[ -n "$(glow_grey "$OUT/scaled.png")" ]]; }
# The protocol log holds a buffer of SIZE attached to a surface scaled by 2.
buffer_at_device_size() {
  local buffer surface
  buffer=$(grep -oE "new id wl_buffer@[0-9]+, (0, )?$1," "$OUT/protocol.log" | head -1 | grep -oE 'wl_buffer@[0-9]+' || true)
  [[ -n "$buffer" ]] || return 1
  surface=$(grep -oE "wl_surface@[0-9]+\.attach\($buffer," "$OUT/protocol.log" | head -1 | cut -d. -f1)
  [[ -n "$surface" ]] && grep -qF "$surface.set_buffer_scale(2)" "$OUT/protocol.log"
}

start_weston
spawn_wayland_galaxy WAYLAND_DEBUG=client
wait_until 60 viewer_window_shown || fail "weston shows no window of the viewer (stderr: $(tail -3 "$OUT/galaxy.stderr"))"
wait_until 60 glowing_at_scale || fail "no galaxy on the scaled output"
sleep 1  # the glow's first frames have passed; the picture hardly changes for seconds
import -window root "$OUT/scaled.png" 2>/dev/null || fail "no screenshot"
kill -TERM "$GALAXY_PID"
wait_galaxy 30 || fail "status $? after SIGTERM"
grep -F -e create_buffer -e create_immed -e .attach -e set_buffer_scale "$OUT/galaxy.stderr" >"$OUT/protocol.log" || true
buffer_at_device_size "1646, 1480" ||
  fail "no 1646 x 1480 buffer on a surface of buffer scale 2; buffers: $(grep -oE 'new id wl_buffer@[0-9]+, (0, )?[0-9]+, [0-9]+' "$OUT/protocol.log" | sort -u | tr '\n' ' ')"

"$SNAPSHOT" --size 823x740 "$OUT/reference.png" || fail "galaxy-snapshot failed"
reference=$(convert "$OUT/reference.png" -scale 200% -gravity center -crop 300x300+0+0 +repage -colorspace Gray \
  -format '%[fx:100*mean]' info:)
screen=$(glow_grey "$OUT/scaled.png")
echo "at output scale 2: a 1646 x 1480 buffer at buffer scale 2; glow grey $screen, the 100 % picture doubled $reference"
awk -v s="$screen" -v r="$reference" 'BEGIN { exit !(s > 0.8 * r && s < 1.25 * r) }' ||
  fail "glow grey $screen on the screen, $reference in the 100 % picture doubled: the dots did not grow with the scale"
echo "Wayland scale test passed"
