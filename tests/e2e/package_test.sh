#!/usr/bin/env bash
# Builds the Debian package from the build folder and checks it: what it
# installs, that Depends comes from the libraries the programs link, that apt
# could install it here, that lintian finds no error, and that the programs
# it carries run.
# Usage: package_test.sh BUILD_DIR OUTPUT_DIR APP_ID
source "$(dirname "$0")/common.sh"
build=$1
out=$2
id=$3
rm -rf "$out" && mkdir -p "$out"

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || fail "cpack: $(tail -5 "$out/cpack.log")"
deb=$(ls "$out"/galaxy_*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for f in usr/bin/galaxy usr/bin/galaxy-snapshot usr/share/applications/$id.desktop \
         usr/share/metainfo/$id.metainfo.xml usr/share/icons/hicolor/32x32/apps/galaxy.png \
         usr/share/man/man6/galaxy.6.gz usr/share/man/man1/galaxy-snapshot.1.gz \
         usr/share/doc/galaxy/copyright usr/share/doc/galaxy/changelog.gz; do
  grep -qx "\./$f" <<<"$contents" || fail "the package lacks $f"
done

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libsdl2-2.0-0 libegl1 libpng16-16 libwayland-egl1 libx11-6 libstdc++6; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib"
done
apt-get install --simulate --no-install-recommends "$deb" >"$out/apt.log" 2>&1 ||
  fail "apt could not install it: $(tail -5 "$out/apt.log")"

lintian "$deb" >"$out/lintian.log" 2>&1 || true
if grep -q '^E:' "$out/lintian.log"; then fail "lintian: $(grep '^E:' "$out/lintian.log")"; fi
grep '^W:' "$out/lintian.log" || echo "lintian: no errors, no warnings"

# The programs as packaged (stripped, hardened) still run.
dpkg-deb -x "$deb" "$out/root"
"$out/root/usr/bin/galaxy-snapshot" --size 64x48 "$out/picture.png" || fail "the packaged galaxy-snapshot does not run"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY timeout -k 5 60 "$out/root/usr/bin/galaxy" 2>/dev/null || status=$?
[[ $status -eq 1 ]] || fail "the packaged galaxy gave status $status without a display"
echo "package test passed"
