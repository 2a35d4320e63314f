#!/usr/bin/env bash
# The controls under other keyboard layouts: raw key codes (the keys at US
# 1, S, Z, Y, J and Q) typed under us, ru, gr, il (Hebrew) and de. Letter keys of a
# non-Latin layout act as the letter of their place; a Latin layout's go by
# what they print (German Z sits where US has Y).
# Usage: layouts_test.sh GALAXY_EXECUTABLE OUTPUT_DIR
source "$(dirname "$0")/x_session.sh" "$@"
start_galaxy
focus_galaxy

caption_is() { [[ "$(caption)" == "$1" ]]; }
auxC=2
spread=(1.00 0.90 0.80 0.70 0.60)
round=0
for layout in us ru gr il de; do
  setxkbmap "$layout" || fail "setxkbmap $layout"
  # Preset 1, then rings + 1 (S), arms - 1 (Z wherever it is: US Z or US Y),
  # spread - 0.1 (J), auxC - 1 (Q).
  xdotool key 10 39 52 29 44 24
  auxC=$((auxC - 1))
  expected="Galaxy ~ Rotation(0.01:0.01:0.10) Zoom(0.00) Arm(3:51:6.91:64) Other($auxC:512:${spread[round]}:2)"
  wait_until 30 caption_is "$expected" || fail "under $layout: caption '$(caption)', expected '$expected'"
  echo "$layout: $(caption)"
  round=$((round + 1))
done
close_galaxy || fail "exit status $? after closing the window"
echo "layouts test passed"
