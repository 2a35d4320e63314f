#!/usr/bin/env bash
# The user's own settings: at 144 DPI (Wine's LogPixels) the window scales
# itself, 823 x 740 at (172, 170) becoming 1235 x 1110 at (258, 255), and its
# dots with it, so the picture is as bright as the Linux build's at 96 DPI
# (5-pixel dots would leave two thirds of that); with a
# comma as decimal separator in the regional settings the caption uses it,
# and only there, where the Linux build's caption has a full stop.
# Usage: user_settings_test.sh GALAXY_EXE OUTPUT_DIR HELPERS_DIR LINUX_BUILD
X_SESSION_LATER=1 source "$(dirname "$0")/wine_session.sh" "$@"
start_x_session 1920x1440x24  # room for the larger window
caption_is() { [[ "$(caption)" == "$1" ]]; }
caption_is_not() { [[ "$(caption)" != "$1" ]]; }

# Mean brightness (0-100) of the window's picture as soon as the galaxy shows.
window_grey() {
  import -window "$WINDOW" "$OUT/$1.png" 2>/dev/null || fail "no screenshot of the window ($1)"
  convert "$OUT/$1.png" -colorspace Gray -format '%[fx:100*mean]' info:
}

GALAXY=$LINUX_BUILD/app/galaxy start_galaxy
base_grey=$(window_grey linux-96dpi)
focus_galaxy
xdotool key shift
wait_until 30 caption_is_not Galaxy || fail "the Linux build's caption did not change"
expected=$(caption)
expected=${expected//./,}
close_galaxy || fail "the Linux build ended with status $?"

start_wine
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 ||
  fail "cannot set LogPixels"
wine reg add 'HKCU\Control Panel\International' /v sDecimal /t REG_SZ /d , /f >/dev/null 2>&1 ||
  fail "cannot set the decimal separator"
start_galaxy wine
grey=$(window_grey wine-144dpi)
wait_until 30 window_report || fail "window_report found no window"
echo "Windows reports at 144 DPI: $REPORT"
geometry="$(report_field left),$(report_field top) $(report_field width)x$(report_field height)"
[[ $geometry == "258,255 1235x1110" ]] || fail "window at $geometry, expected 258,255 1235x1110"
echo "mean grey at 144 DPI $grey, the Linux build's at 96 DPI $base_grey"
awk -v g="$grey" -v b="$base_grey" 'BEGIN { exit !(g > 0.8 * b && g < 1.35 * b) }' ||
  fail "mean grey $grey at 144 DPI, $base_grey at 96 DPI: the dots did not grow with the scale"
focus_galaxy
xdotool key shift
wait_until 30 caption_is "$expected" || fail "with a comma for decimals: '$(caption)', expected '$expected'"
close_galaxy || fail "exit status $? after closing the window"
echo "user settings test passed"
