#!/usr/bin/env bash
# The window size run-on-800x600 chooses: the largest whole scale whose 800x600 multiple fits
# in 90 % of the work area, VERDAL_SCALE obeyed when it fits and refused in French when not.
# First the rule as a table, then run-on-800x600 itself on real X servers with a stand-in
# program that reports the display it got, its scale and its arguments.
# Usage: scale_rule.sh PROGRAM MOTS
source "$(dirname "$0")/e2e_common.sh" "$@"
source "$run_on_800x600"

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
echo "PASS: the scale chosen by the rule, forced when it fits, the arguments passed on"
