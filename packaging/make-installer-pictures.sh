#!/usr/bin/env bash
# Makes the Windows installer's pictures from the viewer's own first frame
# of the default galaxy: the welcome and finish pages' 164 x 314 picture
# and the 150 x 57 header. Needs the Linux build's galaxy-snapshot and
# ImageMagick. Usage: packaging/make-installer-pictures.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
here=$(dirname "$0")
frame=$(mktemp --suffix=.png)
trap 'rm -f "$frame"' EXIT
"$build/app/galaxy-snapshot" --size 900x900 "$frame"
# 256-colour BMPs, as NSIS shows them, cut around the galaxy's middle.
bmp() { convert "$frame" -gravity center -crop "$1" +repage -resize "$2!" -colors 256 -type Palette "BMP3:$3"; }
bmp 180x345+0+0 164x314 "$here/installer-welcome.bmp"
bmp 400x152+0+0 150x57 "$here/installer-header.bmp"
