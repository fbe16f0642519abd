#!/usr/bin/env bash
# The window size run-on-800x600 chooses: the largest whole scale whose 800x600 multiple fits
# in 90 % of the work area, VERDAL_SCALE obeyed when it fits and refused in French when not.
# First the rule as a table, then run-on-800x600 itself on real X servers with a stand-in
# program that reports the display it got, its scale and its arguments; then how it ends:
# a signal to it ends the game first, a failing Xephyr is told in one French line.
# Usage: scale_rule.sh PROGRAM MOTS
source "$(dirname "$0")/e2e_common.sh" "$@"

# Work area, VERDAL_SCALE, factor, whether the value is refused.
while read -r width height forced expected refused; do
  [ "$forced" = - ] && forced=""
  got="$(chosen_scale "$width" "$height" "$forced" 2>"$work/said")"
  [ "$got" = "$expected" ] || fail "${width}x${height} VERDAL_SCALE=$forced: scale $got, not $expected"
  if [ "$refused" = yes ]; then
    grep -q "^VERDAL_SCALE=$forced ignoré : il faut un nombre entier de 1 à $expected" "$work/said" ||
      fail "${width}x${height} VERDAL_SCALE=$forced: no French word of the refusal"
  else
    [ ! -s "$work/said" ] || fail "${width}x${height} VERDAL_SCALE=$forced: said $(cat "$work/said")"
  fi
done <<'ROWS'
1024 768   -   1 no
1920 1080  -   1 no
2560 1440  -   2 no
3840 2160  -   3 no
3840 1980  -   2 no
640  480   -   1 no
2560 1440  1   1 no
3840 2160  02  2 no
2560 1440  3   2 yes
3840 2160  0   3 yes
3840 2160  2.5 3 yes
3840 2160  x   3 yes
1920 1080  2   1 yes
ROWS

printf '#!/bin/sh\necho "$(xdpyinfo | awk '"'"'/dimensions:/ { print $2 }'"'"') ${QT_SCALE_FACTOR:-none} $*"\n' \
  >"$work/stand-in"
chmod +x "$work/stand-in"
# Runs run-on-800x600 on the current display; its output must be EXPECTED.
expect_run() {
  local expected="$1" got
  shift
  got="$(timeout 60 env "$@" "$run_on_800x600" "$work/stand-in" --dossier "$work/a b" 2>"$work/said")"
  [ "$got" = "$expected --dossier $work/a b" ] ||
    fail "$*: got \"$got\", not \"$expected\" ($(cat "$work/said"))"
}
start_x 3840x2160
expect_run "2400x1800 3"
expect_run "1600x1200 2" VERDAL_SCALE=2

# How it ends, with a stand-in game that looks at its display once (as a tool may before the
# game connects), holds it through xlogo, and at TERM notes whether it is still there and ends
# with 143. A signal ends the game first, with the game's status; killed outright, the script
# leaves Xephyr to go once the game ends. Xephyr's own session keeps Ctrl+C for the game.
cat >"$work/lingering" <<'GAME'
#!/bin/sh
trap 'xdpyinfo >/dev/null 2>&1 && echo alive >"$0.ended"; kill "$held"; exit 143' TERM
xdpyinfo >/dev/null
xlogo & held=$!
until xwininfo -name xlogo >/dev/null 2>&1; do kill -0 "$held" || exit 1; sleep 0.1; done
echo $$ >"$0.ready"
wait
GAME
chmod +x "$work/lingering"
within() {  # SECONDS COMMAND...: whether COMMAND succeeds within that time
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do [ "$SECONDS" -le "$deadline" ] || return 1; sleep 0.1; done
}
gone() { ! ps -o stat= -p "$1" | grep -qv Z; }
for signal in TERM INT HUP KILL; do
  rm -f "$work"/lingering.*
  # INT as in a terminal: a job started in the background would have it ignored.
  XDG_RUNTIME_DIR="$work" env --default-signal=INT "$run_on_800x600" "$work/lingering" &
  game_pid=$!
  within 30 test -s "$work/lingering.ready" || fail "$signal: no display held"
  nested="$(pgrep -P "$game_pid" -x Xephyr)"
  [ "$(ps -o sid= -p "$nested")" != "$(ps -o sid= -p "$game_pid")" ] || fail "Xephyr in the script's session"
  kill -"$signal" "$game_pid"
  wait "$game_pid"
  status=$? game_pid=""
  if [ "$signal" = KILL ]; then
    kill -TERM "$(cat "$work/lingering.ready")"
  elif [ "$status" != 143 ] || [ ! -s "$work/lingering.ended" ]; then
    fail "$signal: status $status, the game's display $(cat "$work/lingering.ended" 2>/dev/null || echo gone)"
  fi
  within 20 gone "$nested" || fail "$signal: Xephyr left running after the game"
done
# Xephyr failing at once: one French line with its last words and its log; no shell error.
mkdir -p "$work/broken"
printf '#!/bin/sh\necho "(EE) Fatal server error:\n(EE) No host display." >&2; exit 1\n' >"$work/broken/Xephyr"
chmod +x "$work/broken/Xephyr"
PATH="$work/broken:$PATH" XDG_RUNTIME_DIR="$work" "$run_on_800x600" "$work/stand-in" >"$work/got" 2>"$work/said"
status=$?
printf '%s\n' "VERDAL n'a pas pu ouvrir sa fenêtre 800x600 : Xephyr a dit « (EE) No host display. » (journal : $work/verdal-xephyr.log)." |
  cmp -s - "$work/said" && [ "$status" = 1 ] && [ ! -s "$work/got" ] ||
  fail "a failing Xephyr: status $status, told as: $(cat "$work/said")"
# A window manager's work area, as one whose panels take room publishes it.
start_wm
xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 40, 3840, 1400"
expect_run "1600x1200 2"
expect_run "1600x1200 2" VERDAL_SCALE=3
grep -q "VERDAL_SCALE=3 ignoré" "$work/said" || fail "VERDAL_SCALE=3 refused without a word"
stop_x
start_x 800x600
expect_run "800x600 none" VERDAL_SCALE=2
grep -q "VERDAL_SCALE=2 ignoré" "$work/said" || fail "VERDAL_SCALE=2 on 800x600 refused without a word"
echo "PASS: the scale chosen by the rule, forced when it fits, the arguments passed on, the ends"
