# Sourced by the real-window tests: a virtual X server, the game started in a folder (its own
# by default) with the desktop's link opener and file dialogs replaced, and a clean close at the end.
#   start_virtual_display                                 sets $work, $DISPLAY and the replacements
#   start_game GAME_BINARY XWINDOWTOOL_BINARY [FOLDER]    also sets $window, $game_pid, $tool
#   close_game                                            closes from the close box and checks the exit
# The file dialog answers with the path in $work/chosen; every other zenity dialog is recorded in
# $work/dialogs (its arguments, one a line) and shown by the real zenity.

# Every failing command says where it stopped and what the game printed: under set -e a failed
# capture ($(...) with a pipe) would otherwise end the test without a word.
set -E
trap 'failed=$?; echo "failed with $failed at line $LINENO: $BASH_COMMAND" >&2;
      [ -f "${work:-/nonexistent}/game.log" ] && { echo "game output:" >&2; cat "$work/game.log" >&2; }' ERR

start_virtual_display() {
  work=$(mktemp -d)
  trap 'kill ${game_pid:-} ${xvfb_pid:-} 2>/dev/null || true; rm -rf "$work"' EXIT

  # -noreset: the server stays up between clients (the tests start the game more than once).
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$work/display")"
  export SDL_AUDIODRIVER=dummy
  # The X and audio libraries SDL loads at run time keep allocations past their unloading, where
  # they cannot be attributed; our own code is leak-checked by the unit tests.
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

  # The link opener records its link.
  mkdir "$work/bin"
  printf '#!/bin/sh\necho "$1" >> "%s/opened"\n' "$work" >"$work/bin/xdg-open"
  cat >"$work/bin/zenity" <<ZENITY
#!/bin/sh
case " \$* " in
  *" --file-selection "*) cat "$work/chosen" ;;
  *) printf '%s\n' "\$@" >> "$work/dialogs"; exec $(command -v zenity) "\$@" ;;
esac
ZENITY
  chmod +x "$work/bin/xdg-open" "$work/bin/zenity"
  export PATH="$work/bin:$PATH"
}

start_game() {
  game=$1
  tool=$2
  [ -n "${work:-}" ] || start_virtual_display
  (cd "${3:-$(dirname "$game")}" && exec "$game" >"$work/game.log" 2>&1) &
  game_pid=$!

  window=$(timeout 30 xdotool search --sync --name '^Zelvana$' | head -n 1) || true
  [ -n "$window" ] || { echo "no game window"; cat "$work/game.log"; exit 1; }
}

click() {
  xdotool mousemove --window "$window" "$1" "$2" click 1
}

close_game() {
  "$tool" close "$window"
  for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$game_pid" 2>/dev/null; then echo "the window did not close"; exit 1; fi
  wait "$game_pid" || { echo "the game exited with an error"; cat "$work/game.log"; exit 1; }
  if grep -q "ERROR: AddressSanitizer\|runtime error" "$work/game.log"; then cat "$work/game.log"; exit 1; fi
}
