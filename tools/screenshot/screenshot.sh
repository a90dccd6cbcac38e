#!/usr/bin/env bash
# screenshot.sh PLINVOR OUT.png
#
# Makes the picture of the window that the AppStream metadata shows
# (assets/screenshot.png): PLINVOR opened on a private X server, 1000 typed
# into the CFP franc field, the window's rectangle cut out of the screen and
# every pixel where the desktop shows through made transparent, so that the
# picture has the window's own shape.
set -euo pipefail
PLINVOR=$1 OUT=$2
ARTIFACTS=$(mktemp -d)
source "$(dirname "$0")/../../tests/e2e/lib.sh"
trap 'cleanup; rm -rf "$ARTIFACTS"' EXIT

start_x
start_plinvor
wait_for_focus
xdotool key --delay 80 1 0 0 0
xdotool mousemove 10 10
sleep 0.5
screenshot screen
convert "$ARTIFACTS/screen.png" -crop "${WW}x$WH+$WX+$WY" +repage \
  -fuzz 0 -transparent "$DESKTOP" -strip "$OUT"
echo "$OUT: $(identify -format '%wx%h' "$OUT")"
