#!/usr/bin/env bash
# The per-user install and the player's folder as a player whose home is "Zoé Martin" meets
# them, from a copy of the checkout (nothing is written into it), on an 800x600 Xvfb:
# scripts/install; the launcher without a display; the menu entry's "Modifier mes mots"; the
# first start makes the player's folder with the shipped "data" and "perso"; the player's own
# files stay byte for byte and are played from after the build places its shipped files anew
# (scripts/play) and after a reinstall; scripts/uninstall, then --purge.
# Usage: install_test.sh SOURCE_DIR BUILD_DIR (a build folder, installed as configured)
src="$1" build="$2"
source "$src/tests/screens/front/e2e/e2e_common.sh" "$build/bin/verdal" "$src/data/mots"

# The rebuilds keep using the real ccache, not one in the temporary HOME.
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
export HOME="$work/Zoé Martin" ASAN_OPTIONS=detect_leaks=0
unset XDG_DATA_HOME
copy="$HOME/verdal"
mkdir -p "$copy" "$work/bin"
# The checkout's files as they are now, tracked or new, without the builds.
git -C "$src" ls-files -z --cached --others --exclude-standard |
  tar -C "$src" --null --ignore-failed-read -T - -cf - 2>/dev/null | tar -C "$copy" -xf - ||
  fail "copying the checkout"
app="$HOME/.local/lib/verdal" launcher="$HOME/.local/bin/verdal"
player="$HOME/.local/share/verdal" menu="$HOME/.local/share/applications/verdal.desktop"
install() {
  VERDAL_BUILD_DIR="$build" "$copy/scripts/install" >"$work/install.log" 2>&1 ||
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

install
for f in "$app/verdal" "$app/mots" "$app/data" "$app/perso" "$app/run-on-800x600" "$launcher" \
         "$menu" "$HOME/.local/share/icons/hicolor/128x128/apps/verdal.png" \
         "$HOME/.local/share/icons/hicolor/scalable/apps/verdal.svg" \
         "$HOME/.local/share/man/man6/verdal.6.gz"; do
  [ -e "$f" ] || fail "missing after install: $f"
done
[ ! -e "$player" ] || fail "the install made the player's folder"
desktop-file-validate "$menu" || fail "desktop entry"
grep -qxF "Exec=\"$launcher\"" "$menu" || fail "the desktop entry does not start the launcher"

# The launcher without a display: XDG_DATA_HOME (empty: unset), status, the first line said
# (a pattern) and the arguments as a shell reads them.
version="$(sed -n 's/^project(verdal VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")"
while IFS='|' read -r xdg status said arguments; do
  (eval "set -- $arguments" && exec env -u DISPLAY -u WAYLAND_DISPLAY ${xdg:+"XDG_DATA_HOME=$xdg"} \
    "$launcher" "$@") >"$work/said" 2>&1
  got=$? first="$(head -n 1 "$work/said")"
  [[ "$first" == $said ]] && [ "$got" = "$status" ] ||
    fail "launcher $arguments (XDG_DATA_HOME=$xdg): $got, \"$first\""
done <<ROWS
|0|$player|--afficher-dossier
relative/share|0|$player|--afficher-dossier
$work/données|0|$work/données/verdal|--afficher-dossier
|0|$work/autre dossier|--dossier "$work/autre dossier" --afficher-dossier
|0|$work/b|--dossier="$work/a" --dossier "$work/b" --afficher-dossier
|0|verdal $version|--version
|0|Usage : verdal *|-h
|2|verdal : ligne de commande incorrecte (verdal --help pour l'aide)|--inconnu
|1|VERDAL a besoin d'une session graphique : aucun affichage n'est ouvert ici.|
|1|VERDAL a besoin d'une session graphique : aucun affichage n'est ouvert ici.|--dossier "$work/c"
ROWS
[ ! -e "$player" ] && [ ! -e "$work/données" ] || fail "a question to the launcher made a folder"

# The menu entry's action, run as a desktop runs it (its quoting is the shell's), for a folder
# yet to be made: made with the shipped files, its "perso" handed to the desktop's opener.
printf '#!/bin/sh\necho "$*" >"%s/opened"\n' "$work" >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
(export XDG_DATA_HOME="$work/données" PATH="$work/bin:$PATH" &&
  eval "$(sed -n '/^\[Desktop Action mots\]/,/^\[/s/^Exec=//p' "$menu")") >"$work/said" 2>&1
[ "$(cat "$work/opened" "$work/said")" = "$work/données/verdal/perso"$'\n'"$work/données/verdal/perso" ] &&
  cmp -s "$work/données/verdal/perso" "$src/data/perso" || fail "the desktop action: $(cat "$work/said")"

# The first start makes the player's folder with the shipped files.
start_x 800x600
run "$launcher"
wait_pixel "welcome screen" 110 500 is_lit 60
stop_game
cmp -s "$player/data" "$src/data/data" && cmp -s "$player/perso" "$src/data/perso" ||
  fail "the player's folder was not given the shipped data and perso"

# The player's settings (6 letters, level "Perso") and words.
python3 -c 'import struct,sys; sys.stdout.buffer.write(struct.pack("<5i20x", 2, 6, 600, 4, 1))' \
  >"$player/data"
printf '1\r\nCITRON\r\n' >"$player/perso"
cp "$player/data" "$player/perso" "$work/"

# The build's shipped files go, as when the project changes them: scripts/play places them
# anew and plays the player's own.
rm -f "$build/bin/data" "$build/bin/perso"
run env VERDAL_BUILD_DIR="$build" "$copy/scripts/play"
play_the_players_word
cmp -s "$build/bin/perso" "$src/data/perso" || fail "scripts/play did not rebuild"
same_players_files "with a rebuild through scripts/play"

install
run "$launcher"
play_the_players_word
same_players_files "with a reinstall"

# Uninstalling leaves nothing of the game's but the player's folder; --purge (asking the
# build's launcher, the installed one gone) takes that too.
game_paths() { (cd "$HOME" && find . -path ./verdal -prune -o -name '*verdal*' -print); }
"$copy/scripts/uninstall" >/dev/null || fail "uninstall"
[ "$(game_paths)" = ./.local/share/verdal ] || fail "after uninstall, left: $(game_paths)"
same_players_files "with an uninstall"
VERDAL_BUILD_DIR="$build" "$copy/scripts/uninstall" --purge >/dev/null || fail "uninstall --purge"
[ -z "$(game_paths)" ] || fail "after --purge, left: $(game_paths)"
echo "PASS: install, launcher, desktop action, player's folder, rebuild, reinstall and uninstall"
