// The player's own folder: made, given the shipped files it lacks, checked writable.
#include "common/player_folder.h"

#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>

#include "common/io_error.h"

namespace verdal {
namespace {

std::string Reason(int err) {
  switch (err) {
    case EACCES:
    case EPERM:
      return "accès refusé";
    case EROFS:
      return "disque en lecture seule";
    case EEXIST:
    case ENOTDIR:
      return "un fichier porte déjà ce nom";
    case ENOSPC:
    case EDQUOT:
      return "disque plein";
    default:
      return IoErrorText(IoCodeFromErrno(err));
  }
}

[[noreturn]] void Refuse(const std::filesystem::path& folder, int err) {
  throw PlayerFolderError("VERDAL ne peut pas utiliser le dossier " + folder.string() + " : " +
                          Reason(err));
}

}  // namespace

void PreparePlayerFolder(const std::filesystem::path& folder,
                         const std::filesystem::path& shipped) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (!error && !std::filesystem::is_directory(folder, error)) Refuse(folder, ENOTDIR);
  if (error) Refuse(folder, error.value());
  // The game saves "data" by writing a new file beside it and renaming it over the old.
  if (::access(folder.c_str(), W_OK | X_OK) != 0) Refuse(folder, errno);
  for (const char* name : {"data", "perso"}) {
    const std::filesystem::path mine = folder / name;
    // Anything already there is the player's, even a link that leads nowhere.
    if (std::filesystem::symlink_status(mine, error).type() !=
            std::filesystem::file_type::not_found ||
        !std::filesystem::exists(shipped / name, error)) {
      continue;
    }
    std::filesystem::copy_file(shipped / name, mine, error);
    if (!error) {
      // A shipped file may be read-only; the player's copy is theirs to change.
      std::filesystem::permissions(mine, std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add, error);
    }
    if (error) Refuse(folder, error.value());
  }
}

}  // namespace verdal
