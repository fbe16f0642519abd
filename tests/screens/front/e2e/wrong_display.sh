#!/usr/bin/env bash
# End to end on a 1024x768 X server: the program says it needs 800x600 and ends.
# Usage: wrong_display.sh PROGRAM MOTS
source "$(dirname "$0")/e2e_common.sh" "$@"
start_x 1024x768
start_game

box=""
for _ in $(seq 150); do
  box="$(xdotool search --onlyvisible --name '^VERDAL$' 2>/dev/null | head -1)"
  [ -n "$box" ] && break
  sleep 0.2
done
[ -n "$box" ] || fail "no message box titled VERDAL"
eval "$(xdotool getwindowgeometry --shell "$box")"
# Painted: its light ground where the black screen showed through.
wait_pixel "the message painted" $((X + 4)) $((Y + 4)) is_light 20
shot wrong_display
# The message is the program's only window: no splash, no screen.
windows="$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | wc -l)"
[ "$windows" -le 1 ] || fail "$windows windows shown besides the message"
# With no window manager the keyboard follows the pointer: Return presses the box's OK.
point $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
xdotool key Return
wait_end 20
[ "$status" = 1 ] || fail "the program ended with status $status, not 1"
echo "PASS: the message, then the end"
