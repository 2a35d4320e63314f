#!/usr/bin/env bash
# Renders the README's pictures: the default galaxy and the eight presets, as
# the viewer's first frame at its start-up size, cropped to the galaxy; and
# the default galaxy turning, as an animated WebP drawn as on a 200 % screen,
# so it stays sharp on one.
# Usage: scripts/make-pictures.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --pictures
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
# make almost seamless. Every fifth tick, shown for 50 ms, plays it at the
# viewer's speed of 100 ticks a second. Drawn at scale 2, the same 240 x 240
# crop is 480 x 480 pixels with twice the detail.
"$build/app/galaxy-snapshot" --frames 900 --size 821x715 --scale 2 "$tmp/tick.png"
frames=()
for ((tick = 1; tick <= 900; tick += 5)); do
  frame=$(printf '%s/tick-%04d.png' "$tmp" "$tick")
  convert "$frame" -gravity center -crop 480x480+0+0 +repage "$frame"
  frames+=("$frame")
done
rm -f docs/pictures/galaxy-turning.gif
img2webp -loop 0 -lossy -q 70 -d 50 "${frames[@]}" -o "$out/galaxy-turning.webp"
echo "pictures written to $out (${#frames[@]} frames," \
  "$(($(stat -c %s "$out/galaxy-turning.webp") / 1024)) KiB of animation)"
