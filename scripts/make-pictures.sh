#!/usr/bin/env bash
# Renders the README's pictures: the default galaxy and the eight presets, as
# the viewer's first frame at its start-up size, cropped to the galaxy; and
# the default galaxy turning, as an animated GIF.
# Usage: scripts/make-pictures.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=docs/pictures
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
crop=(-gravity center -crop 240x240+0+0 +repage)
for preset in default 1 2 3 4 5 6 7 8; do
  name=preset-$preset args=(--preset "$preset")
  [[ $preset == default ]] && name=default args=()
  "$build/app/galaxy-snapshot" "${args[@]}" --size 821x715 "$tmp/$name.png"
  convert "$tmp/$name.png" "${crop[@]}" "$out/$name.png"
done

# 900 ticks turn the galaxy a quarter turn about its axis, which its four arms
# make almost seamless. Every fifth tick, shown for 5/100 s, plays it at the
# viewer's speed of 100 ticks a second.
"$build/app/galaxy-snapshot" --frames 900 --size 821x715 "$tmp/tick.png"
frames=()
for ((tick = 1; tick <= 900; tick += 5)); do
  frame=$(printf '%s/tick-%04d.png' "$tmp" "$tick")
  convert "$frame" "${crop[@]}" "$frame"
  frames+=("$frame")
done
convert -delay 5 -loop 0 "${frames[@]}" -layers Optimize "$out/galaxy-turning.gif"
echo "pictures written to $out ($(identify "$out/galaxy-turning.gif" | wc -l) frames," \
  "$(($(stat -c %s "$out/galaxy-turning.gif") / 1024)) KiB of animation)"
