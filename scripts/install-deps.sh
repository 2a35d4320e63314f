#!/usr/bin/env bash
# Installs the Debian packages the build (and, with --test, the tests, the
# Windows build and the web page; with --pictures, scripts/make-pictures.sh)
# need.
# Checks dpkg first and calls apt-get only for what is missing.
set -euo pipefail

packages=(
  cmake g++ ninja-build pkg-config
  libsdl2-dev libx11-dev libwayland-dev libegl-dev libgl-dev libglu1-mesa-dev
  libegl-mesa0 libgl1-mesa-dri            # Mesa's EGL and software renderer
  libdecor-0-plugin-1-cairo               # title bars for the window on Wayland
  libgtest-dev libbenchmark-dev           # tests and benchmarks are built by default
  libpng-dev                              # PNG pictures from the snapshot and icon tools
)
if [[ "${1:-}" == "--pictures" ]]; then
  packages+=(imagemagick webp)  # scripts/make-pictures.sh: cropping, and the animated WebP
fi
if [[ "${1:-}" == "--test" ]]; then
  packages+=(xvfb openbox xdotool wmctrl imagemagick x11-utils x11-xkb-utils x11-xserver-utils desktop-file-utils valgrind procps weston)
  packages+=(dpkg-dev file lintian appstream man-db)  # the Debian package and its metadata
  packages+=(mingw-w64 wine wine64 nsis unzip)         # the Windows program, its installer, tested under Wine
  packages+=(emscripten chromium)                      # the page, built to wasm, tested in headless Chromium
  # Node.js and npm run the page's test; a Node.js from elsewhere brings its own npm.
  command -v npm >/dev/null || packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
