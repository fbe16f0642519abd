# Shared by the end-to-end runs: a scratch folder, a private X server (with a window manager
# when asked), the game on it or nested in it at a scale, screenshots, pixels, real input.
# Sourced with the program and "mots" as $1 and $2: it makes the scratch folder ($work, kept
# when VERDAL_E2E_KEEP=1 or a check fails) and lays the program out in it.
# Coordinates given to pixel, click and the waits are the game's own 800x600 ones.
set -uo pipefail
program="$1" mots="$2"
e2e_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
run_on_800x600="$e2e_dir/../../../../scripts/run-on-800x600"
work="$(mktemp -d /tmp/verdal-e2e-XXXXXX)"
keep_work="${VERDAL_E2E_KEEP:-0}"
# Where the game's 800x600 space lies on the screen the script drives: each of its pixels is
# scale x scale screen pixels from origin_x, origin_y (a nested display), or the screen itself.
scale=1 origin_x=0 origin_y=0 nested_window=""
trap 'stop_game; stop_x; [ "$keep_work" = 1 ] || rm -rf "$work"' EXIT

# start_x_server, the one way every script starts an X server.
source "$run_on_800x600"

# What the runs that listen use: the recorder of the sound server's null sink and its clips.
support="$e2e_dir/../../../support"
sounds="$support/../../assets/sounds"

# Records the sink into FILE from now on; the recorder is $recorder_pid.
start_recording() {
  "$support/sound_bursts.py" record "$1" &
  recorder_pid=$!
  local deadline=$((SECONDS + 20))
  until [ -e "$1.ready" ]; do
    [ "$SECONDS" -le "$deadline" ] || fail "the recording did not start"
    sleep 0.05
  done
}

# The bursts of the recording FILE, one line each: start, length, clip, whole or cut.
bursts() {
  "$support/sound_bursts.py" bursts "$1" "$sounds/Wave_jaune.wav" "$sounds/Wave_rouge.wav"
}

# Fails unless the last six bursts of the list FILE, the marks', are each whole and 300 ms
# after the one before (a mark's pause), give or take the scheduling of a busy machine.
check_marks_whole_and_spaced() {
  tail -n 6 "$1" | awk '
    $4 != "whole" { print "clip " NR " of the marks cut short after " $2 " ms"; bad = 1 }
    NR > 1 && ($1 - last < 200 || $1 - last > 600) {
      print "marks " NR - 1 " and " NR " sounded " int($1 - last) " ms apart"; bad = 1 }
    { last = $1 }
    END { exit bad }' >&2 || fail "the marks' clips ($1)"
}

# Starts Xvfb of the given size on a free display and exports DISPLAY.
start_x() {
  start_x_server "$work/xvfb.log" Xvfb -screen 0 "${1}x24" -nolisten tcp ||
    fail "Xvfb did not start: ${x_said:-}"
  xvfb_pid="$x_pid"
  export DISPLAY="$x_display" QT_QPA_PLATFORM=xcb
}

# Starts openbox on the display and waits until it manages the screen (its work area is
# published last).
start_wm() {
  openbox --sm-disable >"$work/wm.log" 2>&1 &
  wm_pid=$!
  local deadline=$((SECONDS + 30))
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' &&
    xprop -root _NET_WORKAREA 2>/dev/null | grep -q '='; do
    [ "$SECONDS" -le "$deadline" ] || fail "openbox did not start"
    kill -0 "$wm_pid" 2>/dev/null || fail "openbox ended"
    sleep 0.2
  done
}

stop_x() {
  [ -n "${wm_pid:-}" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  wm_pid=""
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
}

# Starts the game with the given arguments, on the screen itself or, when nested_scale is
# set, through run-on-800x600 forced to that scale; then finds its nested window. It runs in
# game_cwd (/ unless set).
start_game() {
  if [ -n "${nested_scale:-}" ]; then
    (cd "${game_cwd:-/}" && VERDAL_SCALE="$nested_scale" exec "$run_on_800x600" "$work/game/verdal" "$@") \
      >"$work/game.log" 2>&1 &
    game_pid=$!
    find_nested_window
  else
    (cd "${game_cwd:-/}" && exec "$work/game/verdal" "$@") >"$work/game.log" 2>&1 &
    game_pid=$!
  fi
}

# Ends the game if it still runs (by its process, or the nested display's script).
stop_game() {
  [ -n "${game_pid:-}" ] || return 0
  kill "$game_pid" 2>/dev/null && wait "$game_pid" 2>/dev/null
  game_pid=""
}

# The nested display's window: its place on the screen and the scale it shows the game at.
find_nested_window() {
  local deadline=$((SECONDS + 30)) info
  until nested_window="$(xdotool search --onlyvisible --name '^VERDAL$' 2>/dev/null | head -1)" &&
    [ -n "$nested_window" ]; do
    [ "$SECONDS" -le "$deadline" ] || fail "no nested window titled VERDAL"
    kill -0 "$game_pid" 2>/dev/null || fail "run-on-800x600 ended before its window showed"
    sleep 0.2
  done
  info="$(xwininfo -id "$nested_window")"
  origin_x="$(awk '/Absolute upper-left X/ { print $4 }' <<<"$info")"
  origin_y="$(awk '/Absolute upper-left Y/ { print $4 }' <<<"$info")"
  local width height
  width="$(awk '/Width:/ { print $2 }' <<<"$info")"
  height="$(awk '/Height:/ { print $2 }' <<<"$info")"
  scale=$((width / 800))
  [ "$width" = $((800 * scale)) ] && [ "$height" = $((600 * scale)) ] ||
    fail "the nested window is ${width}x${height}, not a whole multiple of 800x600"
}

fail() {
  echo "FAIL: $*" >&2
  stop_game
  [ -f "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log" >&2
  echo "  screenshots in $work" >&2
  keep_work=1
  exit 1
}

# The game's 800x600 space as a picture, at the scale it is shown.
shot() {
  if [ -n "$nested_window" ]; then
    /usr/bin/import -window "$nested_window" "$work/$1.png"
  else
    /usr/bin/import -window root "$work/$1.png"
  fi
}

# The colour of one pixel of the game's space now, as RRGGBB.
pixel() {
  "$e2e_dir/screen_pixels.py" $((origin_x + scale * $1)) $((origin_y + scale * $2))
}

# Waits until `pixel X Y` satisfies the test command (given the colour), or fails.
wait_pixel() {
  local what="$1" x="$2" y="$3" test="$4" seconds="$5" colour
  local deadline=$((SECONDS + seconds))
  while [ "$SECONDS" -le "$deadline" ]; do
    colour="$(pixel "$x" "$y")"
    $test "$colour" && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended while waiting for $what"
    sleep 0.2
  done
  shot "timeout"
  fail "no $what after ${seconds}s (pixel $x,$y is $colour)"
}

# A digest of the rectangle X Y W H of the game's space.
digest() {
  "$e2e_dir/screen_pixels.py" $((origin_x + scale * $1)) $((origin_y + scale * $2)) \
    $((scale * $3)) $((scale * $4))
}

# Waits until the rectangle X Y W H no longer shows what its digest BEFORE was, or fails.
wait_change() {
  local what="$1" before="$6" deadline=$((SECONDS + $7))
  while [ "$SECONDS" -le "$deadline" ]; do
    [ "$(digest "$2" "$3" "$4" "$5")" != "$before" ] && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended while waiting for $what"
    sleep 0.2
  done
  shot "timeout"
  fail "no $what after $7s"
}

# Waits until the rectangle X Y W H of the game's space has not changed for a second: a
# fade, a dissolve or the marking of a row is over.
wait_still() {
  local what="$1" x="$2" y="$3" w="$4" h="$5" seconds="$6" last="" now since
  local deadline=$((SECONDS + seconds))
  since=$(date +%s%3N)
  while [ "$SECONDS" -le "$deadline" ]; do
    now="$(digest "$x" "$y" "$w" "$h")"
    if [ "$now" != "$last" ]; then
      last="$now" since=$(date +%s%3N)
    elif [ $(($(date +%s%3N) - since)) -ge 1000 ]; then
      return 0
    fi
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended while waiting for $what"
    sleep 0.2
  done
  shot "timeout"
  fail "$what still changing after ${seconds}s"
}

is_white() { [ "$1" = "FFFFFF" ]; }
not_white() { [ "$1" != "FFFFFF" ]; }
# Any channel above 0x20: not the black of the splash's end.
is_lit() { [ $((16#${1:0:2})) -gt 32 ] || [ $((16#${1:2:2})) -gt 32 ] || [ $((16#${1:4:2})) -gt 32 ]; }

# Every channel above 0xD0: a button's face.
is_light() { [ $((16#${1:0:2})) -gt 208 ] && [ $((16#${1:2:2})) -gt 208 ] && [ $((16#${1:4:2})) -gt 208 ]; }

# Red and green high, blue clearly lower: a yellow mark, pale or deep.
is_yellow() { [ $((16#${1:0:2})) -gt 160 ] && [ $((16#${1:2:2})) -gt 160 ] && [ $((16#${1:4:2})) -lt $((16#${1:0:2} - 32)) ]; }

# Moves the pointer and waits until the X server has it there: a click or keys sent next come
# through another connection, which the server could serve first.
point() {
  local x=$((origin_x + scale * $1)) y=$((origin_y + scale * $2)) deadline=$((SECONDS + 10))
  xdotool mousemove "$x" "$y"
  until [[ "$(xdotool getmouselocation)" == "x:$x y:$y "* ]]; do
    [ "$SECONDS" -le "$deadline" ] || fail "the pointer did not reach $1,$2"
    sleep 0.02
  done
}

click() {
  point "$1" "$2"
  xdotool click 1
}

# Waits for the game's process to end; sets status.
wait_end() {
  local seconds="$1" deadline=$((SECONDS + $1))
  while kill -0 "$game_pid" 2>/dev/null; do
    [ "$SECONDS" -le "$deadline" ] || fail "the game did not end within ${seconds}s"
    sleep 0.2
  done
  wait "$game_pid"
  status=$?
  game_pid=""
}

# From the welcome screen to the set-up screen (the blue cross), and on to the first deal of a
# one-player match (the second player's box unticked), its board laid out.
to_setup() {
  wait_pixel "welcome screen" 110 500 is_lit 60
  click 752 527
  wait_pixel "set-up screen" 520 239 is_white 20
}
start_one_player_match() {
  click 512 374
  click 752 527
  wait_pixel "game screen" 520 239 not_white 20
  wait_still "the game screen's board" 186 78 434 394 30
}
to_deal() {
  to_setup
  start_one_player_match
}

# A folder with the program and the files it reads beside it.
lay_out_program() {
  local program="$1" mots="$2"
  mkdir -p "$work/game"
  cp "$program" "$work/game/verdal"
  cp "$mots" "$work/game/mots"
  # Settings: sound off, 6 letters, 60 s, level "Perso", personal list used.
  python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<5i20x", 2, 6, 600, 4, 1))' \
    >"$work/game/data"
  printf '1\r\nCITRON\r\n' >"$work/game/perso"
}

lay_out_program "$program" "$mots"
