#!/usr/bin/env bash
# The game started from a folder that holds none of its files finds them beside itself; installed
# into a prefix (cmake --install), it starts from any folder. Either way the menu shows its buttons
# and no message is needed.
# Usage: install_test.sh ZELVANA_BINARY XWINDOWTOOL_BINARY BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/game_session.sh"
start_virtual_display
empty="$work/empty"
mkdir "$empty"

# The create button stands lit on the menu's dark panel once the artwork is loaded.
expect_menu() {
  local rgb=""
  for _ in $(seq 50); do
    rgb=$("$tool" pixel "$window" 400 226)
    [ $((16#${rgb:0:2} + 16#${rgb:2:2} + 16#${rgb:4:2})) -gt 250 ] && break
    sleep 0.1
  done
  [ $((16#${rgb:0:2} + 16#${rgb:2:2} + 16#${rgb:4:2})) -gt 250 ] || { echo "$1: no menu buttons ($rgb)"; exit 1; }
  [ ! -s "$work/dialogs" ] || { echo "$1: a message was shown"; cat "$work/dialogs"; exit 1; }
}

start_game "$1" "$2" "$empty"
expect_menu "started from an empty folder"
close_game

prefix="$work/prefix"
cmake --install "$3" --prefix "$prefix" >/dev/null
start_game "$prefix/bin/zelvana" "$2" "$empty"
expect_menu "installed"
close_game
echo "1 passed, 0 failed"
