#!/usr/bin/env bash
# The real game window under a virtual X server: it opens at 790 x 530, animates its banner strip,
# opens a banner's link, keeps answering, and closes cleanly from its close box.
# Usage: window_test.sh ZELVANA_BINARY XWINDOWTOOL_BINARY
set -euo pipefail
. "$(dirname "$0")/game_session.sh"
start_game "$1" "$2"

size=$("$tool" size "$window")
[ "$size" = "790 530" ] || { echo "client area is $size, not 790 530"; exit 1; }

# The banner strip animates: two captures of it a second apart differ.
sleep 0.5
first=$("$tool" hash "$window" 22 465 468 60)
sleep 1.2
second=$("$tool" hash "$window" 22 465 468 60)
[ "$first" != "$second" ] || { echo "the banner strip does not change"; exit 1; }

# A press in the strip hands the banner's link to the desktop's opener.
click 200 495
for _ in $(seq 50); do [ -s "$work/opened" ] && break; sleep 0.1; done
grep -q '^file://.*README.md$' "$work/opened" || { echo "the banner link was not opened"; exit 1; }

# Still answering after mouse input: it closes within seconds of the close request.
click 100 100
close_game
echo "1 passed, 0 failed"
