#!/usr/bin/env bash
# End to end: the player's nested "VERDAL" window goes away under the game. On a 1024x768
# desktop that openbox manages, run-on-800x600 nests the game; the game is brought to a
# place and the window closed one way, a row each:
#   in a deal (a proposal half typed)   closed by the window manager (Alt+F4)
#   on the next-word panel              its client killed, as xkill does
#   on the settings screen              the nested X server killed
# Each time the game ends promptly with the status and French line of a lost display, no
# crash report nor core, "data" and "perso" unchanged, and run-on-800x600 returns.
# Usage: closed_window.sh PROGRAM MOTS
source "$(dirname "$0")/e2e_common.sh" "$@"
start_x 1024x768
start_wm
nested_scale=1
cp "$work/game/data" "$work/data.before"
cp "$work/game/perso" "$work/perso.before"
mkdir -p "$work/cwd"
# A crash leaves a core where the kernel's core_pattern says. A plain name puts it in the
# crashing process's current folder: the game's folder of work where it starts, with
# Xephyr, and its program folder, which the game makes current; each row looks in both. A
# process made to dump first shows that the look would find one. A pipe to a collector
# (systemd-coredump, apport) or a folder of its own puts cores out of reach: the look is left
# out, saying why. (The sanitized game turns its own cores off, as ASan does on 64-bit
# machines: its crash shows in its log and status, which the rows check; a core would then be
# Xephyr's or an unsanitized game's.)
core_name=""
core_pattern="$(cat /proc/sys/kernel/core_pattern 2>/dev/null)"
if ! ulimit -c unlimited 2>/dev/null; then
  echo "note: no look for cores: their size limit stays at $(ulimit -c)"
elif [[ -z "$core_pattern" || "$core_pattern" == "|"* || "$core_pattern" == /* ]]; then
  echo "note: no look for cores: core_pattern sends them to '$core_pattern'"
elif [ -z "${core_pattern%%%*}" ]; then
  echo "note: no look for cores: core_pattern '$core_pattern' starts with no fixed name"
else
  core_name="${core_pattern%%%*}"
  { (cd "$work/cwd" && exec sh -c 'kill -QUIT $$'); } 2>/dev/null
  if compgen -G "$work/cwd/$core_name*" >/dev/null; then
    rm -f "$work/cwd/$core_name"*
  else
    echo "note: no look for cores: a process made to dump left none in its folder"
    core_name=""
  fi
fi
# Whether a core lies in either folder (never, without a look for them).
cores() {
  [ -n "$core_name" ] || return 1
  compgen -G "$work/cwd/$core_name*" >/dev/null || compgen -G "$work/game/$core_name*" >/dev/null
}

# The settings screen's grey panel, where the set-up screen shows its "JOUEUR 1" picture.
is_grey() {
  local r=$((16#${1:0:2})) g=$((16#${1:2:2})) b=$((16#${1:4:2}))
  [ "$r" -ge 160 ] && [ "$r" -le 208 ] && [ "$g" = "$r" ] && [ "$b" = "$r" ]
}

row() {
  local place="$1" how="$2" game="" xephyr="" start_ms ended_ms
  game_cwd="$work/cwd" start_game
  case "$place" in
    deal)
      to_deal
      point 400 560
      xdotool type --delay 120 CAS
      ;;
    next_word)
      to_deal
      point 400 560
      xdotool type --delay 120 CITRON
      wait_pixel "next-word panel" 190 92 is_white 30
      ;;
    settings)
      to_setup
      click 48 32
      wait_pixel "settings screen" 300 190 is_grey 20
      ;;
  esac
  shot "$place"
  game="$(pgrep -P "$game_pid" -x verdal)"
  xephyr="$(pgrep -P "$game_pid" -x Xephyr)"
  [ -n "$game" ] && [ -n "$xephyr" ] || fail "$place: no game or Xephyr under run-on-800x600"
  start_ms=$(date +%s%3N)
  case "$how" in
    wm) xdotool key alt+F4 ;;
    xkill) xdotool windowkill "$nested_window" ;;
    server) kill -TERM "$xephyr" ;;
  esac
  while kill -0 "$game" 2>/dev/null; do
    [ $(($(date +%s%3N) - start_ms)) -le 20000 ] || fail "$place: the game still runs 20 s after its window went"
    sleep 0.05
  done
  ended_ms=$(date +%s%3N)
  wait_end 20
  grep -q "l'affichage a été fermé" "$work/game.log" || fail "$place: no word of the lost display"
  grep -Eiq 'sanitizer|segmentation|abort|core dumped|qfatal' "$work/game.log" &&
    fail "$place: a crash report"
  [ "$status" = 1 ] || fail "$place: run-on-800x600 ended with status $status, not 1"
  cores && fail "$place: a core dump"
  cmp -s "$work/game/data" "$work/data.before" || fail "$place: data changed"
  cmp -s "$work/game/perso" "$work/perso.before" || fail "$place: perso changed"
  kill -0 "$xephyr" 2>/dev/null && fail "$place: the nested display is left running"
  echo "ok: $place, closed by $how: the game ended $((ended_ms - start_ms)) ms later"
}

row deal wm
row next_word xkill
row settings server
echo "PASS: the game ended cleanly wherever its window went"
