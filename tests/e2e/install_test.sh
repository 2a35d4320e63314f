#!/usr/bin/env bash
# Installs into a temporary prefix and checks what a desktop gets: the
# programs, a valid desktop entry and AppStream metadata under one id, the
# icons and manual pages that render cleanly; then renders with the installed
# snapshot tool.
# Usage: install_test.sh BUILD_DIR OUTPUT_DIR APP_ID
source "$(dirname "$0")/common.sh"
build=$1
out=$2
id=$3
rm -rf "$out" && mkdir -p "$out"
prefix="$out/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

entry="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
for f in bin/galaxy bin/galaxy-snapshot share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/32x32/apps/galaxy.png share/icons/hicolor/256x256/apps/galaxy.png \
         share/man/man6/galaxy.6.gz share/man/man1/galaxy-snapshot.1.gz \
         share/doc/galaxy/copyright share/doc/galaxy/changelog.gz; do
  [[ -f "$prefix/$f" ]] || fail "not installed: $f"
done
desktop-file-validate "$entry" || fail "invalid desktop entry"
grep -qx 'Exec=galaxy' "$entry" || fail "the entry must start galaxy without arguments"
grep -qx 'Categories=Graphics;Education;' "$entry" || fail "categories"
appstreamcli validate --no-net "$metainfo" >"$out/appstream.log" 2>&1 || fail "AppStream: $(cat "$out/appstream.log")"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metadata does not launch $id.desktop"

# The manual pages render without a warning from man or groff.
for page in share/man/man6/galaxy.6.gz share/man/man1/galaxy-snapshot.1.gz; do
  warnings=$(MANWIDTH=80 man --warnings -l "$prefix/$page" 2>&1 >/dev/null)
  [[ -z "$warnings" ]] || fail "$page: $warnings"
  grep -q "EXIT STATUS" <<<"$(MANWIDTH=80 man -l "$prefix/$page" 2>/dev/null)" || fail "$page does not render"
done

read -r w h colours < <(identify -format '%w %h %k\n' "$prefix/share/icons/hicolor/32x32/apps/galaxy.png")
[[ $w == 32 && $h == 32 ]] || fail "small icon is ${w}x$h"
[[ $colours -le 16 ]] || fail "small icon has $colours colours"
read -r w h < <(identify -format '%w %h\n' "$prefix/share/icons/hicolor/256x256/apps/galaxy.png")
[[ $w == 256 && $h == 256 ]] || fail "large icon is ${w}x$h"
# The enlargement shows the same design: scaled back down it is the small icon.
convert "$prefix/share/icons/hicolor/256x256/apps/galaxy.png" -sample 32x32 "$out/icon-sampled.png"
diff=$(compare -metric AE "$out/icon-sampled.png" "$prefix/share/icons/hicolor/32x32/apps/galaxy.png" null: 2>&1 || true)
[[ "${diff%% *}" == 0 ]] || fail "the large icon differs from the small one ($diff pixels)"

"$prefix/bin/galaxy-snapshot" --size 400x300 "$out/default.png"
"$prefix/bin/galaxy-snapshot" --preset 8 --size 400x300 "$out/preset-8.png"
read -r w h < <(identify -format '%w %h\n' "$out/default.png")
[[ $w == 400 && $h == 300 ]] || fail "snapshot is ${w}x$h"
centre=$(convert "$out/default.png" -crop 40x40+180+130 +repage -colorspace Gray -format '%[fx:100*mean]' info:)
corner=$(convert "$out/default.png" -crop 40x40+0+0 +repage -colorspace Gray -format '%[fx:100*mean]' info:)
top=$(convert "$out/default.png" -crop 400x150+0+0 +repage -colorspace Gray -format '%[fx:100*mean]' info:)
bottom=$(convert "$out/default.png" -crop 400x150+0+150 +repage -colorspace Gray -format '%[fx:100*mean]' info:)
awk -v c="$centre" -v k="$corner" 'BEGIN { exit !(c > 20 && k < 1) }' || fail "snapshot: centre $centre, corner $corner"
awk -v t="$top" -v b="$bottom" 'BEGIN { d = t - b; if (d < 0) d = -d; exit !(d < 0.5 * (t + b)) }' ||
  fail "snapshot is lopsided (top $top, bottom $bottom)"
changed=$(compare -metric AE "$out/default.png" "$out/preset-8.png" null: 2>&1 || true)
[[ "${changed%% *}" -gt 500 ]] || fail "preset 8 looks like the defaults"
# Successive ticks: the first is the single picture, and the camera moves on.
"$prefix/bin/galaxy-snapshot" --frames 3 --size 400x300 "$out/spin.png"
for n in 1 2 3; do [[ -f "$out/spin-000$n.png" ]] || fail "frame $n not written"; done
[[ -f "$out/spin-0004.png" ]] && fail "a fourth frame was written"
first=$(compare -metric AE "$out/default.png" "$out/spin-0001.png" null: 2>&1 || true)
[[ "${first%% *}" == 0 ]] || fail "the first frame is not the single picture ($first pixels differ)"
moved=$(compare -metric AE "$out/spin-0001.png" "$out/spin-0003.png" null: 2>&1 || true)
[[ "${moved%% *}" -gt 0 ]] || fail "the frames do not move"
# As on a 200 % screen: twice the pixels each way.
"$prefix/bin/galaxy-snapshot" --scale 2 --size 400x300 "$out/double.png"
[[ $(identify -format %wx%h "$out/double.png") == 800x600 ]] || fail "--scale 2 --size 400x300 did not give 800x600"

# Its usage on request; a bad argument refused in one line that names it.
status=0
"$prefix/bin/galaxy-snapshot" --help >"$out/help.out" 2>"$out/help.err" || status=$?
[[ $status == 0 && ! -s "$out/help.err" ]] || fail "--help: status $status, standard error: $(cat "$out/help.err")"
for option in --preset --size --scale --frames; do
  grep -q -- "$option" "$out/help.out" || fail "the usage does not show $option: $(cat "$out/help.out")"
done
# Runs the tool with the arguments after WORDS: it must end with status 2 and
# one line on standard error that holds each of WORDS.
refused() {
  local words=$1 status=0 line word
  shift
  "$prefix/bin/galaxy-snapshot" "$@" "$out/x.png" 2>"$out/refused.err" || status=$?
  line=$(cat "$out/refused.err")
  [[ $status == 2 && $(wc -l <"$out/refused.err") == 1 && $line == "galaxy-snapshot: "* ]] ||
    fail "$*: status $status, standard error: $line"
  for word in $words; do [[ $line == *"$word"* ]] || fail "$*: the message does not name $word: $line"; done
}
refused "--size 8192x8192" --size 99999x10  # the largest size a window can have
refused --preset --preset 9
refused --frames --frames 0
refused --scale --scale 9
refused "--scale 8192x8192" --size 5000x10 --scale 2  # the device size counts
refused --sparkle --sparkle
echo "install test passed"
