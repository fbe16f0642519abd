# The end-to-end runs on GNOME on Wayland, as Debian and Ubuntu desktops start: GNOME's
# compositor headless with a 2560x1440 monitor and Xwayland, the game started through
# run-on-800x600 as the menu starts it (nested at factor 2), driven through the nested
# display, its sound on the sound server the test runs under (PipeWire in scripts/test).
# Sourced after e2e_common.sh. Without the compositor or a sound server the run is skipped
# (status 77) with the reason; with VERDAL_REQUIRE_SERVICES=1 (CI) that is a failure.

skip_or_fail() {
  [ "${VERDAL_REQUIRE_SERVICES:-}" = 1 ] && fail "$* (VERDAL_REQUIRE_SERVICES=1)"
  echo "SKIP: $*"
  exit 77
}

# Starts a session bus and mutter on it, in a runtime folder of their own, and points
# DISPLAY and XAUTHORITY at its Xwayland.
start_gnome() {
  local program
  for program in dbus-daemon mutter Xwayland pactl; do
    command -v "$program" >/dev/null || skip_or_fail "$program is not installed"
  done
  [ -n "${VERDAL_SOUND_SINK:-}" ] && pactl info >/dev/null 2>&1 ||
    skip_or_fail "no sound server (run under tests/support/with-sound-server)"
  # Xwayland refuses a socket folder that anyone could take over.
  [ -d /tmp/.X11-unix ] || mkdir -m 1777 /tmp/.X11-unix 2>/dev/null
  [ "$(stat -c %a /tmp/.X11-unix 2>/dev/null)" = 1777 ] ||
    skip_or_fail "/tmp/.X11-unix is not mode 1777, which Xwayland needs"
  local runtime="$work/gnome" deadline
  mkdir -m 700 "$runtime"
  local as_session=(env XDG_RUNTIME_DIR="$runtime" DBUS_SESSION_BUS_ADDRESS="unix:path=$runtime/bus")
  "${as_session[@]}" dbus-daemon --session --address="unix:path=$runtime/bus" --nofork \
    --nopidfile >"$work/bus.log" 2>&1 &
  # stop_x ends them: the compositor as the window manager, then its bus.
  xvfb_pid=$!
  deadline=$((SECONDS + 10))
  until [ -S "$runtime/bus" ]; do
    [ "$SECONDS" -le "$deadline" ] || skip_or_fail "the session bus did not start"
    sleep 0.05
  done
  "${as_session[@]}" mutter --headless --wayland --virtual-monitor 2560x1440 \
    --wayland-display=verdal-e2e >"$work/mutter.log" 2>&1 &
  wm_pid=$!
  # mutter names its X display in its log, and writes Xwayland's cookie beside its socket.
  local display="" cookie=""
  deadline=$((SECONDS + 30))
  until [ -n "$display" ] && [ -n "$cookie" ] && DISPLAY="$display" XAUTHORITY="$cookie" xprop -root _NET_WORKAREA 2>/dev/null | grep -q '='; do
    kill -0 "$wm_pid" 2>/dev/null && [ "$SECONDS" -le "$deadline" ] ||
      skip_or_fail "mutter did not start: $(grep -v '^\s*$' "$work/mutter.log" | tail -n 1)"
    display="$(sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$work/mutter.log" | head -1)"
    cookie="$(ls "$runtime"/.mutter-Xwaylandauth.* 2>/dev/null | head -1)"
    sleep 0.2
  done
  export DISPLAY="$display" XAUTHORITY="$cookie" QT_QPA_PLATFORM=xcb
}

# The display of the Xephyr that process $1 started: the X socket among its open files.
xephyr_display_of() {
  local xephyr inodes
  xephyr="$(pgrep -P "$1" -x Xephyr | head -1)"
  [ -n "$xephyr" ] || return 0
  inodes=" $(ls -l "/proc/$xephyr/fd" 2>/dev/null | sed -n 's/.*socket:\[\([0-9]*\)\]$/\1/p' | tr '\n' ' ') "
  awk -v inodes="$inodes" '$8 ~ /^\/tmp\/\.X11-unix\/X[0-9]+$/ && index(inodes, " " $7 " ") {
    sub(/.*X/, ":", $8); print $8; exit }' /proc/net/unix
}

# Starts the game as the desktop's menu does, without a forced factor: its window must be
# 1600x1200 on the 2560x1440 monitor. From then on the script drives the nested display.
start_game_in_gnome() {
  (cd / && exec "$run_on_800x600" "$work/game/verdal") >"$work/game.log" 2>&1 &
  game_pid=$!
  find_nested_window
  [ "$scale" = 2 ] || fail "the nested window is at factor $scale, not 2, on 2560x1440"
  local nested="" deadline=$((SECONDS + 10))
  until [ -n "$nested" ]; do
    [ "$SECONDS" -le "$deadline" ] || fail "no display of the game's Xephyr"
    nested="$(xephyr_display_of "$game_pid")"
    sleep 0.1
  done
  export DISPLAY="$nested"
  nested_window="" origin_x=0 origin_y=0
}

# Once the marks are shown: the recording ends with the clips of MARKS (a chime for a letter
# in place or elsewhere, a tick for an absent one), each whole and a mark's pause apart.
check_marks() {
  local marks="$1" deadline=$((SECONDS + 20))
  # The sink may still be playing the last clip.
  until bursts "$work/marks.raw" 2>/dev/null | awk -v want=" $marks" '{ heard = heard " " $3; last = $4 }
    END { exit !(substr(heard, length(heard) - length(want) + 1) == want && last == "whole") }'; do
    [ "$SECONDS" -le "$deadline" ] || break
    sleep 0.2
  done
  kill -TERM "$recorder_pid"
  wait "$recorder_pid"
  bursts "$work/marks.raw" >"$work/marks.txt"
  local heard
  heard="$(tail -n 6 "$work/marks.txt" | awk '{ printf "%s%s", sep, $3; sep = " " }')"
  [ "$heard" = "$marks" ] || fail "heard: $heard; expected $marks ($work/marks.txt)"
  check_marks_whole_and_spaced "$work/marks.txt"
}

