// The player's own folder, where "data" and "perso" are read and written whichever way the
// game is started, so that a rebuild or a reinstall never touches the player's settings
// and words.
#pragma once

#include <filesystem>
#include <stdexcept>

namespace verdal {

// The one French line a player reads when their folder cannot be used.
class PlayerFolderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Makes folder when it is missing, puts the shipped "data" and "perso" there when they
// are missing (never over the player's own, and each whole or not at all), and checks that
// the game may save in it. Throws PlayerFolderError naming the folder and the reason.
void PreparePlayerFolder(const std::filesystem::path& folder, const std::filesystem::path& shipped);

}  // namespace verdal
