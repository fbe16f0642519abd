#!/usr/bin/env bash
# End to end, as a player: the real program on an 800x600 X server, driven by real mouse
# clicks and keys, watched through screenshots. Through the splash, the welcome and
# set-up screens, a one-player match to 10 points on a personal list of one word (so the
# hidden word is known) with one wrong proposal, the end-of-match panel, "Non", quitting
# the set-up and welcome screens, and the program ending with status 0.
# Usage: play_match.sh PROGRAM MOTS
#   VERDAL_E2E_SCALE=N  through run-on-800x600 at scale N, nested in a 3840x2160 screen, the
#                       clicks and pixels at N times the game's coordinates
#   VERDAL_E2E_WM=1     on an 800x600 screen that openbox manages, as a player's desktop
#   VERDAL_E2E_DESKTOP=gnome  on GNOME on Wayland as the menu starts it (gnome_desktop.sh),
#                       sound on, the wrong proposal's marks heard on the sound server
#   VERDAL_E2E_FIGURES=1 also prints peak_rss_mb
source "$(dirname "$0")/e2e_common.sh" "$@"
nested_scale="${VERDAL_E2E_SCALE:-}"
gnome=0
if [ "${VERDAL_E2E_DESKTOP:-}" = gnome ]; then
  gnome=1
  source "$(dirname "$0")/gnome_desktop.sh"
  start_gnome
  # Settings as lay_out_program writes them, with sound on.
  python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<5i20x", 1, 6, 600, 4, 1))' \
    >"$work/game/data"
elif [ -n "$nested_scale" ]; then
  start_x 3840x2160
else
  start_x 800x600
fi
[ "${VERDAL_E2E_WM:-0}" = 1 ] && start_wm
start_ms=$(date +%s%3N)
if [ "$gnome" = 1 ]; then start_game_in_gnome; else start_game; fi

# The welcome screen, once the splash has gone: its background lights the bottom left.
wait_pixel "welcome screen" 110 500 is_lit 60
welcome_ms=$(date +%s%3N)
shot welcome

# Play: the set-up screen with its white name fields.
click 752 527
wait_pixel "set-up screen" 520 239 is_white 20
shot setup
# It takes the keys at once: the first player's name typed over "NOM #1" (its first letters,
# clear of the text cursor before and after, change).
before="$(digest 258 226 40 26)"
xdotool key --delay 60 BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace
xdotool type --delay 120 ANNE
wait_change "the name typed" 258 226 40 26 "$before" 20
# One player: untick the second player's box, then start the match.
start_one_player_match
shot game

# The next-word panel shows its message on white at the top left of the panel.
play_word() {
  point 400 560
  xdotool type --delay 120 "$1"
}
for deal in $(seq 1 10); do
  if [ "$deal" = 3 ]; then
    [ "$gnome" = 1 ] && start_recording "$work/marks.raw"
    play_word CASSER
    # Marked column by column: the R, in the word but elsewhere, turns yellow last (seen at
    # its cell's corner, clear of the letter at any scale).
    wait_pixel "the wrong proposal marked" 553 85 is_yellow 30
    wait_still "the board after the wrong proposal" 186 78 434 394 30
    shot wrong_proposal
    # C in place, A S S E absent, R elsewhere.
    [ "$gnome" = 1 ] && check_marks "Wave_rouge Wave_jaune Wave_jaune Wave_jaune Wave_jaune Wave_rouge"
  fi
  play_word CITRON
  if [ "$deal" -lt 10 ]; then
    wait_pixel "next-word panel (deal $deal)" 190 92 is_white 30
    [ "$deal" = 1 ] && shot next_word
    click 412 300
    wait_pixel "next deal (deal $deal)" 190 92 not_white 20
    wait_still "the board of deal $((deal + 1))" 186 78 434 394 30
  fi
done

# The end-of-match panel: its "Non" button's face is light grey where the board was
# blue; its picture then dissolves in over about 5 s, with the window not responding.
wait_pixel "end-of-match panel" 270 462 is_light 30
wait_still "the end-of-match picture" 186 78 434 356 40
shot end_of_match
kill -0 "$game_pid" 2>/dev/null || fail "the game ended during the match"
if [ "${VERDAL_E2E_FIGURES:-0}" = 1 ]; then
  rss_kb=$(awk '/VmHWM/ { print $2 }' "/proc/$game_pid/status")
fi
click 249 455
wait_pixel "set-up screen after Non" 520 239 is_white 20
shot setup_after_match
click 48 527
wait_pixel "welcome screen after quitting set-up" 520 239 not_white 20
shot welcome_again
click 48 527
wait_end 15
[ "$status" = 0 ] || fail "the program ended with status $status"
if [ "${VERDAL_E2E_FIGURES:-0}" = 1 ]; then
  awk -v kb="$rss_kb" 'BEGIN { printf "figure peak_rss_mb %.1f MB\n", kb / 1024 }'
  echo "welcome after $((welcome_ms - start_ms)) ms" >&2
fi
echo "PASS: a whole match played, the program ended with status 0"
