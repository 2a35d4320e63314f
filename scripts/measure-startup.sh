#!/usr/bin/env bash
# Measures the time from starting the viewer to its window being visible at
# its final geometry (viewable, frame 823 x 740), in a private Xvfb with
# openbox, over several runs, and prints each time and the median in ms.
# Usage: scripts/measure-startup.sh [GALAXY_EXECUTABLE] [RUNS]   (default: build/app/galaxy, 10)
set -euo pipefail
galaxy=${1:-build/app/galaxy}
runs=${2:-10}
fd_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fd_file" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [[ -s "$fd_file" ]] && break; sleep 0.05; done
export DISPLAY=":$(cat "$fd_file")"
rm -f "$fd_file"
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm $xvfb 2>/dev/null; wait 2>/dev/null' EXIT
for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.05; done

times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  "$galaxy" 2>/dev/null &
  pid=$!
  until info=$(xwininfo -name Galaxy 2>/dev/null) && grep -q IsViewable <<<"$info"; do :; done
  window=$(awk '/Window id:/ {print $4}' <<<"$info")
  read -r l r t b < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  until [[ $(( $(awk '/Width:/ {print $NF}' <<<"$info") + l + r )) == 823 &&
           $(( $(awk '/Height:/ {print $NF}' <<<"$info") + t + b )) == 740 ]]; do
    info=$(xwininfo -id "$window")
  done
  times+=($(( ($(date +%s%N) - start) / 1000000 )))
  kill "$pid"; wait "$pid" || true
done
echo "start-up to a visible window at its final geometry, ms: ${times[*]}"
printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { m = NR % 2 ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2; print "median:", m, "ms" }'
