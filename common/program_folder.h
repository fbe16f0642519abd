// The folder the program's files are read from, as an installed service: the screens make
// it current before they open "mots", "data" or "perso", and tests point it at a temporary
// folder so that no test writes beside the build's real files.
#pragma once

#include <filesystem>

#include "common/installed_service.h"

namespace verdal {

// The folder of the running executable, where the build or the install puts "mots" and
// the shipped "data" and "perso".
const std::filesystem::path& ExecutableFolder();

// The folder of the running executable, or of the folder installed in its place.
const std::filesystem::path& ProgramFolder();
// Installs folder (not owned); nullptr restores the executable's own folder.
void InstallProgramFolder(const std::filesystem::path* folder);
// Makes ProgramFolder() the current directory. Throws IoError when it cannot.
void MakeProgramFolderCurrent();

class ScopedProgramFolder : public InstalledService<const std::filesystem::path>::Scope {
 public:
  explicit ScopedProgramFolder(const std::filesystem::path& folder);
};

// The folder "mots" is read from. By default empty, the current directory, which the
// screens make the program folder. A player's folder holds only the player's "data" and
// "perso", so with one the dictionary is read where it was shipped instead.
const std::filesystem::path& DictionaryFolder();

class ScopedDictionaryFolder : public InstalledService<const std::filesystem::path>::Scope {
 public:
  explicit ScopedDictionaryFolder(const std::filesystem::path& folder);
};

}  // namespace verdal
