#!/usr/bin/env bash
# On X11 the desktop's scale is Xft.dpi in the resource database: at 144 and
# 192 DPI the window takes the stored 823 x 740 at (172, 170) times 1.5 and
# 2, and its dots grow with it, so the picture is as bright as at 96 DPI
# (dots that stayed 5 pixels would cover a half, or a quarter, of the share
# they are meant to).
# Usage: scale_x11_test.sh GALAXY_EXECUTABLE OUTPUT_DIR
X_SESSION_LATER=1 source "$(dirname "$0")/x_session.sh" "$@"
start_x_session 2560x2048x24  # room for the window at 200 %

# The window's outer geometry, frame included: "LEFT,TOP WIDTHxHEIGHT".
outer_geometry() {
  local info fl fr ft fb
  read -r fl fr ft fb < <(xprop -id "$WINDOW" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  info=$(xwininfo -id "$WINDOW")
  awk -v fl="$fl" -v fr="$fr" -v ft="$ft" -v fb="$fb" '
    /Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF }
    END { printf "%d,%d %dx%d\n", x - fl, y - ft, w + fl + fr, h + ft + fb }' <<<"$info"
}

# Starts the viewer with Xft.dpi at DPI and sets GEOMETRY and GREY, the mean
# brightness (0-100) of the whole client area as soon as the galaxy shows.
run_at_dpi() {
  echo "Xft.dpi: $1" | xrdb -merge
  start_galaxy
  GEOMETRY=$(outer_geometry)
  import -window "$WINDOW" "$OUT/dpi-$1.png" 2>/dev/null || fail "no screenshot at $1 DPI"
  GREY=$(convert "$OUT/dpi-$1.png" -colorspace Gray -format '%[fx:100*mean]' info:)
  close_galaxy || fail "exit status $? at $1 DPI"
}

run_at_dpi 96
[[ $GEOMETRY == "172,170 823x740" ]] || fail "at 96 DPI the window is at $GEOMETRY, expected 172,170 823x740"
base_grey=$GREY
for case in "144 258,255 1235x1110" "192 344,340 1646x1480"; do
  read -r dpi expected_position expected_size <<<"$case"
  run_at_dpi "$dpi"
  echo "Xft.dpi $dpi: window $GEOMETRY, mean grey $GREY (at 96 DPI $base_grey)"
  [[ $GEOMETRY == "$expected_position $expected_size" ]] ||
    fail "at $dpi DPI the window is at $GEOMETRY, expected $expected_position $expected_size"
  awk -v g="$GREY" -v b="$base_grey" 'BEGIN { exit !(g > 0.8 * b && g < 1.35 * b) }' ||
    fail "at $dpi DPI the picture's mean grey is $GREY, at 96 DPI $base_grey: the dots did not grow with the scale"
done
echo "X11 scale test passed"
