#!/usr/bin/env bash
# End to end, heard: the real program with sound on marks the wrong proposal BAGAGE against
# the hidden BATEAU while the sound server's null sink is recorded. Each typed letter ticks;
# then each mark sounds its clip, whole, in the marks' order and one mark's pause apart:
# red, red (the chime), absent (the tick), yellow (the chime), absent, yellow. With sound
# off the same proposal is silent.
# Usage: sound_marks.sh PROGRAM MOTS   (under tests/support/with-sound-server; exits 77,
# skipped, where no sound server is reachable)
if [ -z "${VERDAL_SOUND_SINK:-}" ] || ! pactl info >/dev/null 2>&1; then
  echo "SKIP: no sound server (run under tests/support/with-sound-server)"
  exit 77
fi
source "$(dirname "$0")/e2e_common.sh" "$@"
start_x 800x600

# The sink may play a clip up to 2 s after the mark that starts it. Whether the recording
# FILE holds what a run waits for: with sound on (SOUND 1), the marks' six clips at its end,
# the last one whole; with sound off, SIZE bytes, 2 s more than when the last mark showed.
recorded_enough() {
  local file="$1" sound="$2" size="$3"
  if [ "$sound" = 1 ]; then
    bursts "$file" 2>/dev/null | awk '{ heard = heard " " $3; last = $4 } END {
      exit !(heard ~ / Wave_rouge Wave_rouge Wave_jaune Wave_rouge Wave_jaune Wave_rouge$/ &&
             last == "whole") }'
  else
    [ "$(stat -c %s "$file")" -ge "$size" ]
  fi
}

# Records the sink while the proposal is typed and marked; the bursts go to $work/$1.txt.
play_recorded() {
  local name="$1" sound="$2"
  python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<5i20x", int(sys.argv[1]), 6, 600, 4, 1))' \
    "$sound" >"$work/game/data"
  printf '1\r\nBATEAU\r\n' >"$work/game/perso"
  start_game
  to_deal

  start_recording "$work/$name.raw"
  point 400 560
  xdotool type --delay 120 BAGAGE
  wait_pixel "the last yellow mark" 553 85 is_yellow 30
  # 2 s of 16-bit samples at 22,050 Hz.
  local size=$(($(stat -c %s "$work/$name.raw") + 2 * 44100))
  local deadline=$((SECONDS + 20))
  until recorded_enough "$work/$name.raw" "$sound" "$size"; do
    [ "$SECONDS" -le "$deadline" ] || break
    sleep 0.2
  done
  kill -TERM "$recorder_pid"
  wait "$recorder_pid"
  bursts "$work/$name.raw" >"$work/$name.txt"
  stop_game
}

play_recorded sound_on 1
# Ticks while typing (letters typed faster than a tick lasts cut one another, some too short
# to be told apart), then the marks.
heard="$(awk '{ printf "%s%s", sep, $3; sep = " " }' "$work/sound_on.txt")"
[[ "$heard" =~ ^((Wave_jaune|\?)\ )+Wave_rouge\ Wave_rouge\ Wave_jaune\ Wave_rouge\ Wave_jaune\ Wave_rouge$ ]] ||
  fail "heard: $heard; expected ticks, then rouge rouge jaune rouge jaune rouge ($work/sound_on.txt)"
check_marks_whole_and_spaced "$work/sound_on.txt"

play_recorded sound_off 2
[ ! -s "$work/sound_off.txt" ] || fail "sound off, yet heard: $(tr '\n' ' ' <"$work/sound_off.txt")"
echo "PASS: the typing ticks, then every mark's clip whole and in order; silent with sound off"
