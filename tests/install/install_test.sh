#!/usr/bin/env bash
# The per-user install and the player's folder as a player meets them, with a temporary
# HOME on an 800x600 Xvfb: scripts/install; the installed launcher makes the player's
# folder with the shipped "data" and "perso"; the player's own files, edited there, stay
# byte for byte and are played from (their one word, at their level "Perso") after the
# project changes its shipped files and the game is rebuilt and started by scripts/play,
# and again after a reinstall; then scripts/uninstall with and without --purge.
# Usage: install_test.sh SOURCE_DIR BUILD_DIR (a build folder, installed as configured)
src="$1" build="$2"
source "$src/tests/screens/front/e2e/e2e_common.sh" "$build/bin/verdal" "$src/data/mots"

# The rebuilds keep using the real ccache, not one in the temporary HOME.
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
export HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" ASAN_OPTIONS=detect_leaks=0
mkdir -p "$HOME" "$work/shipped"
app="$HOME/.local/lib/verdal" player="$XDG_DATA_HOME/verdal"
install() {
  VERDAL_BUILD_DIR="$build" "$src/scripts/install" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "install"; }
}
# Starts a command in the background from another folder, as the game's process.
run() {
  (cd / && exec "$@") >"$work/game.log" 2>&1 &
  game_pid=$!
}
# One deal on the player's words: their only word, found at the first proposal.
play_the_players_word() {
  to_deal
  point 400 560
  xdotool type --delay 120 CITRON
  wait_pixel "the next-word panel after the player's word" 190 92 is_white 30
  stop_game
}
same_players_files() {
  cmp -s "$player/data" "$work/data" && cmp -s "$player/perso" "$work/perso" ||
    fail "the player's files changed $1"
}
# The project's shipped files are changed for a while; they come back, and the build's
# copies with them, whatever happens.
restore_shipped() {
  [ -f "$work/shipped/perso" ] || return 0
  cp "$work/shipped/data" "$src/data/data" && cp "$work/shipped/perso" "$src/data/perso"
  rm -f "$work/shipped/perso"
  cmake --build "$build" --target verdal_data >/dev/null
}
eval "$(trap -p EXIT | sed "s/^trap -- '/trap -- 'restore_shipped; /")"

install
for f in "$app/verdal" "$app/mots" "$app/data" "$app/perso" "$app/run-on-800x600" \
         "$HOME/.local/bin/verdal" "$XDG_DATA_HOME/applications/verdal.desktop" \
         "$XDG_DATA_HOME/icons/hicolor/128x128/apps/verdal.png" \
         "$XDG_DATA_HOME/icons/hicolor/scalable/apps/verdal.svg" \
         "$HOME/.local/share/man/man6/verdal.6.gz"; do
  [ -e "$f" ] || fail "missing after install: $f"
done
[ ! -e "$player" ] || fail "the install made the player's folder"
desktop-file-validate "$XDG_DATA_HOME/applications/verdal.desktop" || fail "desktop entry"
grep -qx "Exec=$HOME/.local/bin/verdal" "$XDG_DATA_HOME/applications/verdal.desktop" ||
  fail "the desktop entry does not start the launcher"

# The first start makes the player's folder with the shipped files.
start_x 800x600
run "$HOME/.local/bin/verdal"
wait_pixel "welcome screen" 110 500 is_lit 60
stop_game
cmp -s "$player/data" "$src/data/data" && cmp -s "$player/perso" "$src/data/perso" ||
  fail "the player's folder was not given the shipped data and perso"

# The player's settings (6 letters, level "Perso") and words; then the project changes its own.
python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<5i20x", 2, 6, 600, 4, 1))' \
  >"$player/data"
printf '1\r\nCITRON\r\n' >"$player/perso"
cp "$player/data" "$player/perso" "$work/"
cp "$src/data/data" "$src/data/perso" "$work/shipped/"
python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<5i20x", 1, 7, 100, 1, 2))' \
  >"$src/data/data"
printf '1\r\nBALADE\r\n' >"$src/data/perso"

run env VERDAL_BUILD_DIR="$build" "$src/scripts/play"
play_the_players_word
cmp -s "$build/bin/perso" "$src/data/perso" || fail "scripts/play did not rebuild"
same_players_files "with a rebuild through scripts/play"

install
cmp -s "$app/perso" "$src/data/perso" || fail "the reinstall did not ship the new perso"
run "$HOME/.local/bin/verdal"
play_the_players_word
same_players_files "with a reinstall"
restore_shipped

# Uninstalling leaves only the player's files; --purge removes them too.
"$src/scripts/uninstall" >/dev/null
left=$(cd "$HOME" && find . -type f | sort)
[ "$left" = $'./.local/share/verdal/data\n./.local/share/verdal/perso' ] ||
  fail "after uninstall, left: $left"
"$src/scripts/uninstall" --purge >/dev/null
left=$(cd "$HOME" && find . -type f)
[ -z "$left" ] || fail "after --purge, left: $left"
[ ! -e "$player" ] || fail "the player's folder is still there after --purge"
echo "PASS: install, player's folder, rebuild, reinstall and uninstall"
