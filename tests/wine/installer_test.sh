#!/usr/bin/env bash
# The Windows packages under Wine: galaxy.exe needs no DLL beyond those every
# Windows has and carries the icon made from the window's picture; the
# installer installs silently into Program Files with a Start-menu shortcut
# and an Add/Remove Programs entry, the installed program runs and closes
# with status 0, and the silent uninstall leaves nothing behind; the zip
# holds the same program.
# Usage: installer_test.sh GALAXY_EXE OUTPUT_DIR HELPERS_DIR LINUX_BUILD BUILD_DIR
X_SESSION_LATER=1 source "$(dirname "$0")/wine_session.sh" "$@"
build=$5
rm -rf "$OUT" && mkdir -p "$OUT"

# Every DLL it imports comes with every Windows: no C++ runtime, no threads library.
imports=$(x86_64-w64-mingw32-objdump -p "$GALAXY" | awk '/DLL Name:/ { print toupper($3) }' | sort | tr '\n' ' ')
echo "galaxy.exe imports: $imports"
for dll in $imports; do
  [[ $dll =~ ^(KERNEL32|USER32|GDI32|OPENGL32|GLU32|MSVCRT|WINMM|SHCORE)\.DLL$ ]] || fail "galaxy.exe imports $dll"
done
# The icon has the sizes Windows asks for; its 32 px image is the picture
# the Linux build's icon shows, and the 256 px one an enlargement of it.
ico="$(dirname "$GALAXY")/galaxy.ico"
sizes=$(identify -format '%wx%h ' "$ico")
[[ $sizes == "16x16 32x32 48x48 256x256 " ]] || fail "icon sizes: $sizes"
icon_diff=$(compare -metric AE "$ico[1]" "$LINUX_BUILD/app/galaxy-32.png" null: 2>&1 || true)
[[ $icon_diff == 0 ]] || fail "the icon's 32 px image differs from the window's picture ($icon_diff pixels)"
convert "$ico[3]" -sample 32x32 "$OUT/icon-256-sampled.png"
icon_diff=$(compare -metric AE "$OUT/icon-256-sampled.png" "$ico[1]" null: 2>&1 || true)
[[ $icon_diff == 0 ]] || fail "the icon's 256 px image is not the 32 px one enlarged ($icon_diff pixels)"
# The manifest asks for per-monitor DPI awareness and the modern common controls.
for wanted in PerMonitorV2 Microsoft.Windows.Common-Controls; do
  grep -q "$wanted" "$GALAXY" || fail "no $wanted in the program's manifest"
done

(cd "$build" && cpack -B "$OUT/packages" >"$OUT/cpack.log" 2>&1) || fail "cpack: $(tail -5 "$OUT/cpack.log")"
installer=$(ls "$OUT"/packages/galaxy-*-win64.exe)
zip=$(ls "$OUT"/packages/galaxy-*-win64.zip)
echo "installer: $(basename "$installer"), $(stat -c %s "$installer") bytes; zip: $(stat -c %s "$zip") bytes;" \
  "galaxy.exe: $(stat -c %s "$GALAXY") bytes"
# The version resource names the product and the version the packages carry.
version=${installer##*/galaxy-}
version=${version%-win64.exe}
wide_strings=$(strings -n 2 -e l "$GALAXY")
value_of() { grep -A1 -x "$1" <<<"$wide_strings" | tail -1; }
[[ $(value_of ProductName) == Galaxy ]] || fail "the version resource names '$(value_of ProductName)', not Galaxy"
[[ $(value_of ProductVersion) == "$version" ]] || fail "the version resource says $(value_of ProductVersion), not $version"

start_x_session
start_wine
timeout 120 wine "$installer" /S || fail "the silent install failed"
folder="$WINEPREFIX/drive_c/Program Files/Galaxy"
[[ -f "$folder/galaxy.exe" && -f "$folder/Uninstall.exe" ]] || fail "nothing installed in Program Files\\Galaxy"
shortcuts() { find "$WINEPREFIX/drive_c" -path '*Start Menu*' -name 'Galaxy.lnk'; }
[[ -n "$(shortcuts)" ]] || fail "no Start-menu shortcut"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Galaxy'
registered() { wine reg query "$uninstall_key" >"$OUT/uninstall-key.txt" 2>/dev/null; }
registered || fail "no entry under Add/Remove Programs"
grep -q 'DisplayName.*Galaxy' "$OUT/uninstall-key.txt" || fail "the entry is not named Galaxy: $(cat "$OUT/uninstall-key.txt")"
grep -q 'UninstallString.*Uninstall.exe' "$OUT/uninstall-key.txt" || fail "the entry has no uninstaller"

unzip -q "$zip" -d "$OUT/portable"
cmp -s "$folder/galaxy.exe" "$OUT"/portable/galaxy-*-win64/galaxy.exe || fail "the zip holds another galaxy.exe"

GALAXY="$folder/galaxy.exe" start_galaxy wine
close_galaxy || fail "the installed program ended with status $?"

# The uninstaller runs from a copy of itself and returns at once: wait for its work.
timeout 60 wine "$folder/Uninstall.exe" /S || fail "the silent uninstall failed"
uninstalled() { [[ ! -e "$folder" && -z "$(shortcuts)" ]] && ! registered; }
wait_until 60 uninstalled || fail "left behind: $(ls "$folder" 2>/dev/null) $(shortcuts) $(registered && echo 'the registry entry')"
echo "installer test passed"
