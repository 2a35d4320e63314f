#!/usr/bin/env bash
# At 144 DPI (Wine's LogPixels) the window scales itself: 823 x 740 at
# (172, 170) becomes 1235 x 1110 at (258, 255), and it shows the galaxy.
# Usage: dpi_test.sh GALAXY_EXE OUTPUT_DIR HELPERS_DIR LINUX_BUILD
X_SESSION_LATER=1 source "$(dirname "$0")/wine_session.sh" "$@"
start_x_session 1920x1440x24  # room for the larger window
start_wine
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1 ||
  fail "cannot set LogPixels"
start_galaxy wine
window_report || fail "window_report found no window"
echo "Windows reports at 144 DPI: $REPORT"
geometry="$(report_field left),$(report_field top) $(report_field width)x$(report_field height)"
[[ $geometry == "258,255 1235x1110" ]] || fail "window at $geometry, expected 258,255 1235x1110"
close_galaxy || fail "exit status $? after closing the window"
echo "DPI test passed"
