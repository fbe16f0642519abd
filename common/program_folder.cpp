// The program's folder: the executable's own unless one was installed.
#include "common/program_folder.h"

#include <system_error>

#include "common/io_error.h"

namespace verdal {
namespace {

std::filesystem::path FindExecutableFolder() {
  std::error_code error;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : exe.parent_path();
}

InstalledService<const std::filesystem::path>& Slot() {
  static InstalledService<const std::filesystem::path> slot(ExecutableFolder());
  return slot;
}

InstalledService<const std::filesystem::path>& DictionarySlot() {
  static const std::filesystem::path current;
  static InstalledService<const std::filesystem::path> slot(current);
  return slot;
}

}  // namespace

const std::filesystem::path& ExecutableFolder() {
  static const std::filesystem::path folder = FindExecutableFolder();
  return folder;
}

const std::filesystem::path& ProgramFolder() { return Slot().Get(); }

void InstallProgramFolder(const std::filesystem::path* folder) { Slot().Install(folder); }

void MakeProgramFolderCurrent() {
  std::error_code error;
  std::filesystem::current_path(ProgramFolder(), error);
  if (error) ThrowIoErrno(error.value());
}

ScopedProgramFolder::ScopedProgramFolder(const std::filesystem::path& folder)
    : Scope(Slot(), folder) {}

const std::filesystem::path& DictionaryFolder() { return DictionarySlot().Get(); }

ScopedDictionaryFolder::ScopedDictionaryFolder(const std::filesystem::path& folder)
    : Scope(DictionarySlot(), folder) {}

}  // namespace verdal
