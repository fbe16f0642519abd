#!/usr/bin/env bash
# Fetches the npm package french-badwords-list, the profanity list that build_mots.py screens
# the dictionary with, into a cache outside the repository; a machine without npm or without
# the registry gets a warning, and the rebuild check then reports itself skipped.
set -uo pipefail
version=1.0.7
home="${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}"
cache="${XDG_CACHE_HOME:-$home/.cache}/verdal/french-badwords-list"
[ -f "$cache/list.txt" ] && [ "$(cat "$cache/version" 2>/dev/null)" = "$version" ] && exit 0
if ! command -v npm >/dev/null; then
  echo "warning: npm is absent; french-badwords-list not fetched" >&2
  exit 0
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
if ! (cd "$work" && npm pack --silent "french-badwords-list@$version" >/dev/null 2>&1); then
  echo "warning: npm could not fetch french-badwords-list@$version" >&2
  exit 0
fi
mkdir -p "$cache"
tar -xzf "$work"/french-badwords-list-"$version".tgz -C "$work" package/list.txt package/LICENSE
cp "$work/package/list.txt" "$work/package/LICENSE" "$cache/"
echo "$version" >"$cache/version"
