#!/usr/bin/env bash
# Installs VERDAL for a user whose home is a temporary folder, starts the installed game
# through its launcher on an 800x600 X display far enough to read its three files,
# reinstalls and finds the player's settings kept, then uninstalls with and without
# --purge. Usage: install_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src="$1"
build="$2"
tmp="$(mktemp -d)"
xvfb=""
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf -- "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export HOME="$tmp/home" XDG_DATA_HOME="$tmp/home/.local/share"
mkdir -p "$HOME"
app="$XDG_DATA_HOME/verdal"
install() { VERDAL_BUILD_DIR="$build" "$src/scripts/install" >"$tmp/install.log" 2>&1 || { cat "$tmp/install.log"; fail "install"; }; }

install
for f in "$app/verdal" "$app/mots" "$app/data" "$app/perso" "$app/run-on-800x600" \
         "$HOME/.local/bin/verdal" "$XDG_DATA_HOME/applications/verdal.desktop" \
         "$XDG_DATA_HOME/icons/hicolor/128x128/apps/verdal.png"; do
  [ -e "$f" ] || fail "missing after install: $f"
done
cmp -s "$app/mots" "$src/data/mots" || fail "mots differs from the source's"
desktop-file-validate "$XDG_DATA_HOME/applications/verdal.desktop" || fail "desktop entry"
grep -qx "Exec=$HOME/.local/bin/verdal" "$XDG_DATA_HOME/applications/verdal.desktop" \
  || fail "desktop entry does not start the launcher"

# The installed game, started as the menu would, reads its three files from its folder.
n=40
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
(cd / && DISPLAY=":$n" QT_QPA_PLATFORM=xcb ASAN_OPTIONS=detect_leaks=0 \
   strace -f -qq -e trace=openat,chdir -o "$tmp/opened" "$HOME/.local/bin/verdal" >/dev/null 2>&1) &
game=$!
read_all=false
for _ in $(seq 600); do
  # The game opens its files by name, from its own folder made current.
  if grep -q "chdir(\"$app\") = 0" "$tmp/opened" 2>/dev/null &&
     grep -q "\"mots\", .*= [0-9]" "$tmp/opened" &&
     grep -q "\"data\", .*= [0-9]" "$tmp/opened" &&
     grep -q "\"perso\", .*= [0-9]" "$tmp/opened"; then
    read_all=true
    break
  fi
  kill -0 "$game" 2>/dev/null || break
  sleep 0.1
done
pkill -TERM -f "$app/verdal" 2>/dev/null || true
wait "$game" 2>/dev/null || true
$read_all || { grep -E 'chdir|"(mots|data|perso)"' "$tmp/opened" | head; fail "the installed game did not read mots, data and perso from $app"; }

# A reinstall replaces "mots" but keeps the player's settings and words.
printf 'changed settings' >"$app/data"
printf '1\nMAISON\n' >"$app/perso"
printf 'old' >"$app/mots"
install
[ "$(cat "$app/data")" = "changed settings" ] || fail "reinstall overwrote data"
[ "$(cat "$app/perso")" = $'1\nMAISON' ] || fail "reinstall overwrote perso"
cmp -s "$app/mots" "$src/data/mots" || fail "reinstall did not replace mots"
rm "$app/perso"
install
cmp -s "$app/perso" "$src/data/perso" || fail "reinstall did not add a missing perso"

# Uninstalling leaves only the player's files; --purge removes them too.
"$src/scripts/uninstall" >/dev/null
left=$(cd "$HOME" && find . -type f | sort)
[ "$left" = $'./.local/share/verdal/data\n./.local/share/verdal/perso' ] \
  || fail "after uninstall, left: $left"
"$src/scripts/uninstall" --purge >/dev/null
left=$(cd "$HOME" && find . -type f)
[ -z "$left" ] || fail "after --purge, left: $left"
[ ! -e "$app" ] || fail "the game's folder is still there after --purge"
echo "install test passed"
