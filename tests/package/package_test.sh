#!/usr/bin/env bash
# The Debian package as a family meets it: built by scripts/package, checked by lintian,
# appstreamcli and desktop-file-validate, installed with apt-get, started by
# /usr/games/verdal for a player with a temporary HOME on an 800x600 Xvfb (the player's
# folder made, a changed "data" kept at the next start), then purged with the packages it
# brought: nothing of the package is left, and the player's folder is untouched. Installing
# needs root; apt-get never removes a package of the machine to make room for it.
# Usage: package_test.sh SOURCE_DIR BUILD_DIR
src="$1" build="$2"
if [ "$(id -u)" != 0 ]; then
  echo "SKIP: installing a package needs root"
  exit 77
fi
if dpkg -s verdal >/dev/null 2>&1; then
  echo "SKIP: a verdal package is installed here already, and this test would remove it"
  exit 77
fi
source "$src/tests/screens/front/e2e/e2e_common.sh" "$build/bin/verdal" "$src/data/mots"
installed=false
# The packages installed now, one name a line, sorted.
installed_packages() {
  dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' | awk '$1 == "ii" { print $2 }' | sort
}
# apt-get waits for another's lock rather than failing at once.
apt() { apt-get -y -o DPkg::Lock::Timeout=300 "$@"; }
# verdal and the packages its install brought.
purge() {
  $installed || return 0
  installed=false
  [ -e "$work/brought" ] || installed_packages | comm -13 "$work/before" - >"$work/brought" ||
    return 1
  mapfile -t brought <"$work/brought"
  apt purge verdal "${brought[@]}" >"$work/purge.log" 2>&1
}
eval "$(trap -p EXIT | sed "s/^trap -- '/trap -- 'purge; /")"
run() {
  (cd / && exec "$@") >"$work/game.log" 2>&1 &
  game_pid=$!
}

VERDAL_PACKAGE_BUILD_DIR="$build/package" "$src/scripts/package" >"$work/package.log" 2>&1 ||
  { cat "$work/package.log"; fail "scripts/package"; }
deb="$(tail -1 "$work/package.log")"
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log"; fail "lintian"; }
dpkg-deb -x "$deb" "$work/deb"
appstreamcli validate --pedantic --no-net --explain "$work"/deb/usr/share/metainfo/*.metainfo.xml ||
  fail "appstreamcli"
desktop-file-validate "$work/deb/usr/share/applications/verdal.desktop" || fail "desktop entry"
# What the package adds to the system, to find it gone after the purge.
dpkg-deb -c "$deb" | awk '{ sub(/^\./, "", $6); sub(/\/$/, "", $6); print $6 }' |
  while IFS= read -r path; do [ -z "$path" ] || [ -e "$path" ] || echo "$path"; done >"$work/added" ||
  fail "listing the package's files"

installed_packages >"$work/before" || fail "listing the installed packages"
installed=true
apt install --no-install-recommends --no-remove "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get install"; }
installed_packages | comm -13 "$work/before" - >"$work/brought" ||
  fail "listing the packages the install brought"
export HOME="$work/home"
unset XDG_DATA_HOME
mkdir -p "$HOME"
player="$HOME/.local/share/verdal"
start_x 800x600
run /usr/games/verdal
wait_pixel "welcome screen" 110 500 is_lit 60
stop_game
cmp -s "$player/data" /usr/lib/verdal/data && cmp -s "$player/perso" /usr/lib/verdal/perso ||
  fail "the player's folder was not made with the shipped data and perso"
python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<5i20x", 2, 8, 50, 3, 2))' \
  >"$player/data"
cp "$player/data" "$player/perso" "$work/"
run /usr/games/verdal
wait_pixel "welcome screen, second start" 110 500 is_lit 60
stop_game
cmp -s "$player/data" "$work/data" || fail "the second start changed the player's data"

purge || { cat "$work/purge.log"; fail "apt-get purge"; }
left="$(while IFS= read -r path; do [ ! -e "$path" ] || echo "$path"; done <"$work/added")"
[ -z "$left" ] || fail "left after the purge: $left"
left="$(installed_packages | comm -12 "$work/brought" -)" || fail "listing the installed packages"
[ -z "$left" ] || fail "packages the install brought are left after the purge: $left"
cmp -s "$player/data" "$work/data" && cmp -s "$player/perso" "$work/perso" ||
  fail "the purge touched the player's folder"
echo "PASS: package built, checked, installed, played, purged"
