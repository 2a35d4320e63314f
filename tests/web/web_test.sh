#!/usr/bin/env bash
# The page against the Linux build: the Linux viewer's captions for a key
# sequence in a private X server, then the page served from 127.0.0.1 and
# driven in headless Chromium by page_test.mjs.
# Usage: web_test.sh SITE_DIR OUTPUT_DIR LINUX_BUILD
SITE=$1
LINUX_BUILD=$3
X_SESSION_LATER=1 source "$(dirname "$0")/../e2e/x_session.sh" "$LINUX_BUILD/app/galaxy" "$2"
HERE=$(cd "$(dirname "$0")" && pwd)
[[ -x $GALAXY && -x $LINUX_BUILD/app/galaxy-snapshot ]] || fail "no Linux build in $LINUX_BUILD: build the release preset first"
[[ -f $SITE/index.html && -f $SITE/galaxy.wasm ]] || fail "no site in $SITE: build the web preset first"
[[ -d $HERE/node_modules/puppeteer-core ]] || fail "puppeteer-core is missing: npm ci --prefix $HERE"

# Every key the viewer acts on, the wheel both ways, a shifted letter and
# letters of a Cyrillic layout (z@я: the key at Z's place printing я).
steps=(space Up Up Down Left Right Right KP_Add KP_Subtract KP_Subtract "~wheel up" KP_Divide KP_Multiply
       KP_Multiply "~wheel down" "~wheel down" z x x c v v b n n a s s d f f g h h j k k q w w
       shift+z 1 2 3 4 5 6 7 8 z@я x@ч x@ч space)

# The Linux build's captions for the same steps.
start_x_session
start_galaxy
focus_galaxy
xdotool mousemove --window "$WINDOW" 100 100
previous=$(caption)
: >"$OUT/expected.txt"
for step in "${steps[@]}"; do
  case $step in
    "~wheel up") xdotool click 4 ;;
    "~wheel down") xdotool click 5 ;;
    *) xdotool key "${step%@*}" ;;
  esac
  [[ $step == "~"* ]] && continue
  wait_until 30 eval '[[ "$(caption)" != "$previous" ]]' || fail "Linux build: no new caption after $step"
  previous=$(caption)
  echo "$previous" >>"$OUT/expected.txt"
done
close_galaxy || fail "the Linux build ended with status $?"
# The Linux viewer's steps a second, for the page's to be set beside.
probe=$(timeout -k 5 60 "$LINUX_BUILD/tests/tick_probe" "$OUT/tick-gaps.txt") || fail "the tick probe failed"
echo "Linux viewer's frame timer: $probe"
stop_x_session
unset DISPLAY  # headless Chromium draws WebGL itself; a display would be tried first
(($(wc -l <"$OUT/expected.txt") >= 40)) || fail "only $(wc -l <"$OUT/expected.txt") captions"

# A static server on a free port of the loopback, for this test alone.
for port in $(shuf -i 18700-18799); do
  spawn python3 -m http.server --bind 127.0.0.1 --directory "$SITE" "$port" >"$OUT/server.log" 2>&1
  SERVER_PID=$!
  # Ready once it answers; a port someone else holds ends it at once.
  wait_until 10 eval '! kill -0 $SERVER_PID 2>/dev/null || (echo >/dev/tcp/127.0.0.1/$port) 2>/dev/null' &&
    kill -0 "$SERVER_PID" 2>/dev/null && break
  stop_process "$SERVER_PID"
  SERVER_PID=""
done
[[ -n ${SERVER_PID:-} ]] || fail "no free port for the static server"

URL="http://127.0.0.1:$port/index.html" OUT="$OUT" EXPECTED="$OUT/expected.txt" STEPS="$(printf '%s\n' "${steps[@]}")" \
  SNAPSHOT="$LINUX_BUILD/app/galaxy-snapshot" CHROMIUM=/usr/bin/chromium DESKTOP_STEPS="${probe##* }" \
  spawn node "$HERE/page_test.mjs"
wait_exit $! 600 || fail "the page test did not end within 10 minutes"
((EXIT_STATUS == 0)) || fail "the page test failed (status $EXIT_STATUS)"
