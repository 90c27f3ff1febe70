#!/usr/bin/env bash
# A game played in the real window: create and begin a 12 x 12 puzzle in 3 x 3 shards, drag a
# shard from the tray onto the board, save the game, give up, load the game back, and close.
# Usage: play_test.sh ZELVANA_BINARY XWINDOWTOOL_BINARY
set -euo pipefail
. "$(dirname "$0")/game_session.sh"
start_game "$1" "$2"

# Where things are on the screen of a 12 x 12 game in 3 x 3 shards.
create=(400 226); begin=(400 258); load=(400 290)
save=(128 441); close_button=(656 441)
tray_slot=(459 40)     # tray slot (0, 0): 423 + 36, 4 + 36
board_slot=(88 88)     # board slot (0, 0): 4 + 24 * 2 + 36
board_rect="52 52 72 72"
away=(700 500)         # off the board, so no glow lights a slot

is_play_screen() {
  # The save button of the play screen's bottom row is light amber; the menus show the dark
  # background there.
  local rgb
  rgb=$("$tool" pixel "$window" "${save[@]}")
  [ $((16#${rgb:0:2})) -gt 180 ]
}

wait_for_play_screen() {
  for _ in $(seq 240); do
    is_play_screen && return 0
    [ $# -gt 0 ] && click "$@"
    sleep 0.25
  done
  echo "the play screen did not appear"; cat "$work/game.log"; exit 1
}

sleep 0.5
! is_play_screen || { echo "the game starts on the play screen"; exit 1; }
click "${create[@]}"
# The begin button works once the fill is done; until then a press does nothing.
wait_for_play_screen "${begin[@]}"

xdotool mousemove --window "$window" "${away[@]}"
sleep 0.3
board_before=$("$tool" hash "$window" $board_rect)
xdotool mousemove --window "$window" "${tray_slot[@]}" mousedown 1 \
  mousemove --window "$window" 200 200 mousemove --window "$window" "${board_slot[@]}" mouseup 1 \
  mousemove --window "$window" "${away[@]}"
sleep 0.4
board_after=$("$tool" hash "$window" $board_rect)
[ "$board_before" != "$board_after" ] || { echo "the shard did not land on the board"; exit 1; }

echo "$work/game.sav" >"$work/chosen"
click "${save[@]}"
for _ in $(seq 40); do [ -s "$work/game.sav" ] && break; sleep 0.25; done
[ -s "$work/game.sav" ] || { echo "the game was not saved"; exit 1; }

# Give up (the solution is shown), then back to the menu, then load the saved game.
click "${close_button[@]}"
sleep 0.5
click "${close_button[@]}"
sleep 0.5
! is_play_screen || { echo "the close button did not lead back to the menu"; exit 1; }
click "${load[@]}"
wait_for_play_screen
xdotool mousemove --window "$window" "${away[@]}"
sleep 0.4
board_loaded=$("$tool" hash "$window" $board_rect)
[ "$board_loaded" = "$board_after" ] || { echo "the loaded game does not show the saved board"; exit 1; }

close_game
echo "1 passed, 0 failed"
