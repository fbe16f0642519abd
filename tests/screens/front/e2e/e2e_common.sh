# Shared by the end-to-end runs: a scratch folder, a private X server, screenshots, pixels,
# real input. Sourced with the program and "mots" as $1 and $2: it makes the scratch folder
# ($work, kept when VERDAL_E2E_KEEP=1 or a check fails) and lays the program out in it.
set -uo pipefail
program="$1" mots="$2"
work="$(mktemp -d /tmp/verdal-e2e-XXXXXX)"
keep_work="${VERDAL_E2E_KEEP:-0}"
trap 'stop_x; [ "$keep_work" = 1 ] || rm -rf "$work"' EXIT

# Starts Xvfb of the given size on a free display and exports DISPLAY.
start_x() {
  local size="$1" fifo="$work/displayfd"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fifo" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  read -r -t 20 display <"$fifo" || fail "Xvfb did not start"
  export DISPLAY=":$display" QT_QPA_PLATFORM=xcb
}

stop_x() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
}

fail() {
  echo "FAIL: $*" >&2
  [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null
  [ -f "$work/game.log" ] && sed 's/^/  game: /' "$work/game.log" >&2
  echo "  screenshots in $work" >&2
  keep_work=1
  exit 1
}

shot() { /usr/bin/import -window root "$work/$1.png"; }

# The colour of one pixel of the screen now, as RRGGBB.
pixel() {
  /usr/bin/import -window root -crop "1x1+$1+$2" +repage "$work/pixel.png"
  /usr/bin/convert "$work/pixel.png" -format '%[hex:p{0,0}]' info: | cut -c1-6
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

is_white() { [ "$1" = "FFFFFF" ]; }
not_white() { [ "$1" != "FFFFFF" ]; }
# Any channel above 0x20: not the black of the splash's end.
is_lit() { [ $((16#${1:0:2})) -gt 32 ] || [ $((16#${1:2:2})) -gt 32 ] || [ $((16#${1:4:2})) -gt 32 ]; }

# Every channel above 0xD0: a button's face.
is_light() { [ $((16#${1:0:2})) -gt 208 ] && [ $((16#${1:2:2})) -gt 208 ] && [ $((16#${1:4:2})) -gt 208 ]; }

# Red and green high, blue clearly lower: a yellow mark, pale or deep.
is_yellow() { [ $((16#${1:0:2})) -gt 160 ] && [ $((16#${1:2:2})) -gt 160 ] && [ $((16#${1:4:2})) -lt $((16#${1:0:2} - 32)) ]; }

click() {
  xdotool mousemove "$1" "$2"
  sleep 0.15
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
