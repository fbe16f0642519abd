# Sourced by the scripts that install, remove or play the game: sets data_home to the
# player's data folder, $XDG_DATA_HOME when it is an absolute path (as the XDG rules ask),
# ~/.local/share otherwise. The player's own folder is "$data_home/verdal".
case "${XDG_DATA_HOME:-}" in
  /*) data_home="$XDG_DATA_HOME" ;;
  *) data_home="$HOME/.local/share" ;;
esac
