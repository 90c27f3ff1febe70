#!/usr/bin/env bash
# The real game window under a virtual X server: it opens at 790 x 530, animates its banner strip,
# opens a banner's link, shows a message dialog for a damaged saved game, keeps answering, and
# closes cleanly from its close box. Without a display the game says so and exits with an error.
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

# A press in the strip hands the banner's document, beside the data files, to the desktop's opener.
click 200 495
for _ in $(seq 50); do [ -s "$work/opened" ] && break; sleep 0.1; done
grep -q "^file://$(dirname "$1")/README.md$" "$work/opened" || { echo "the banner link was not opened"; cat "$work/opened"; exit 1; }

# Loading a damaged saved game shows the reader's message in a dialog; closing it goes back to the game.
printf 'not a saved game' >"$work/broken.sav"
echo "$work/broken.sav" >"$work/chosen"
click 400 290
dialog=$(timeout 30 xdotool search --sync --name '^Quillmarsh$' | head -n 1) || true
[ -n "$dialog" ] || { echo "no message dialog titled Quillmarsh"; cat "$work/game.log" "$work/dialogs" 2>/dev/null; exit 1; }
grep -q 'Ошибка формата файла!' "$work/dialogs" || { echo "the dialog does not carry the message"; cat "$work/dialogs"; exit 1; }
"$tool" close "$dialog"
for _ in $(seq 100); do xdotool search --name '^Quillmarsh$' >/dev/null || break; sleep 0.1; done

# Still answering after mouse input: it closes within seconds of the close request.
click 100 100
close_game

# No display: a message and an error exit, not a game running unseen.
status=0
(cd "$(dirname "$1")" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 60 "$1") \
  >"$work/no-display.log" 2>&1 || status=$?
[ "$status" -ne 0 ] && [ "$status" -ne 124 ] || { echo "without a display the game exited with $status"; exit 1; }
grep -q 'Не удалось открыть окно игры' "$work/no-display.log" || { echo "no message without a display"; cat "$work/no-display.log"; exit 1; }
echo "1 passed, 0 failed"
