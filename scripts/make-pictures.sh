#!/usr/bin/env bash
# Renders the README's pictures: the default galaxy and the eight presets, as
# the viewer's first frame at its start-up size, cropped to the galaxy.
# Usage: scripts/make-pictures.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=docs/pictures
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for preset in default 1 2 3 4 5 6 7 8; do
  name=preset-$preset args=(--preset "$preset")
  [[ $preset == default ]] && name=default args=()
  "$build/app/galaxy-snapshot" "${args[@]}" --size 821x715 "$tmp/$name.png"
  convert "$tmp/$name.png" -gravity center -crop 240x240+0+0 +repage "$out/$name.png"
done
echo "pictures written to $out"
