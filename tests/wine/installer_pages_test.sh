#!/usr/bin/env bash
# The installer as a user sees it under Wine, page by page: on a Windows
# older than 10 version 1607 it installs nothing; the welcome page names the
# Windows it needs; the licence page shows the project's licence, word for
# word, with "Galaxy <version>" at the foot; Enter walks it to the end, and
# the program and its licence are installed. The welcome page is kept as
# welcome.png in the output folder.
# Usage: installer_pages_test.sh GALAXY_EXE OUTPUT_DIR HELPERS_DIR LINUX_BUILD BUILD_DIR SOURCE_DIR
X_SESSION_LATER=1 source "$(dirname "$0")/wine_session.sh" "$@"
build=$5
licence=$6/LICENSE
rm -rf "$OUT" && mkdir -p "$OUT"
(cd "$build" && cpack -G NSIS -B "$OUT/packages" >"$OUT/cpack.log" 2>&1) || fail "cpack: $(tail -5 "$OUT/cpack.log")"
installer=$(ls "$OUT"/packages/galaxy-*-win64.exe)
version=${installer##*/galaxy-}
version=${version%-win64.exe}
start_x_session
start_wine
folder="$WINEPREFIX/drive_c/Program Files/Galaxy"

start_installer() { spawn wine "$installer"; INSTALLER_PID=$!; }
# The installer's page: its controls' texts, to $OUT/page.txt.
# A page caught between two, its buttons there but none of its text yet, is
# read again, for up to 10 s: Enter on it would land on the next page.
read_page() {
  wait_until 10 eval 'windows_program "$HELPERS/window_report.exe" dialog "Galaxy Setup" >"$OUT/page.txt" && grep -q "^Static" "$OUT/page.txt"'
}
page_shows() { read_page && grep -qF -- "$1" "$OUT/page.txt"; }
advance() { # Enter on the page, then waits until another page shows
  cp "$OUT/page.txt" "$OUT/previous-page.txt"
  xdotool windowactivate --sync "$(xdotool search --onlyvisible --name '^Galaxy Setup' | head -1)" 2>/dev/null || true
  xdotool key Return
  wait_until 60 eval 'read_page && ! cmp -s "$OUT/page.txt" "$OUT/previous-page.txt"'
}
collapsed() { tr -s '[:space:]' ' '; }

windows_version win7
start_installer
wait_until 120 page_shows "Galaxy needs Windows 10 version 1607 or later." ||
  fail "on Windows 7 the installer did not refuse: $(cat "$OUT/page.txt")"
xdotool windowactivate --sync "$(xdotool search --onlyvisible --name "^Galaxy Setup" | head -1)" 2>/dev/null || true
xdotool key Return
wait_exit "$INSTALLER_PID" 60 || fail "the installer did not end after its refusal"
[[ ! -e "$folder" ]] || fail "the installer installed on Windows 7"
windows_version win10
start_installer

wait_until 120 page_shows "Welcome to Galaxy Setup" || fail "no welcome page: $(cat "$OUT/page.txt")"
grep -qF "Windows 10 version 1607" "$OUT/page.txt" || fail "the welcome page does not name the Windows needed"
import -window "$(xdotool search --onlyvisible --name '^Galaxy Setup' | head -1)" "$OUT/welcome.png" 2>/dev/null

advance && page_shows "License Agreement" || fail "no licence page after the welcome page: $(cat "$OUT/page.txt")"
shown=$(sed -n '/^RichEdit/,/^Static/p' "$OUT/page.txt" | sed '1s/^[^ ]* //; $d' | collapsed)
echo "the licence page shows: ${shown:0:80}..."
[[ "$shown" == "$(collapsed <"$licence")" ]] || fail "the licence page does not show LICENSE: $shown"
grep -qx "Static Galaxy $version *" "$OUT/page.txt" || fail "no 'Galaxy $version' at the foot of the page"

steps=0
until page_shows "Completing"; do
  ((++steps <= 6)) || fail "no last page after $steps pages: $(cat "$OUT/page.txt")"
  if grep -qF "Installing" "$OUT/page.txt"; then
    wait_until 120 page_shows "Completing" || fail "the installation did not end: $(cat "$OUT/page.txt")"
  else
    advance || fail "Enter left the installer on: $(cat "$OUT/page.txt")"
  fi
done
echo "$steps pages between the licence and the last page"
advance || true  # Finish
wait_exit "$INSTALLER_PID" 60 || fail "the installer did not end after Finish"
[[ -f "$folder/galaxy.exe" && -f "$folder/LICENSE.txt" ]] || fail "Program Files\\Galaxy holds: $(ls "$folder" 2>&1)"
echo "installer pages test passed"
