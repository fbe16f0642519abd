// "data": reading and rewriting the settings record through CurrentSettings.
#include "game/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <tuple>

#include "common/io_error.h"
#include "common/posix_file.h"
#include "game/unit_var.h"

namespace verdal {
namespace {

// Removes the temporary file unless it has become "data".
class TemporaryName {
 public:
  explicit TemporaryName(std::string name) : name_(std::move(name)) {}
  TemporaryName(const TemporaryName&) = delete;
  TemporaryName& operator=(const TemporaryName&) = delete;
  ~TemporaryName() {
    if (!name_.empty()) ::unlink(name_.c_str());
  }
  const std::string& Name() const { return name_; }
  void Release() { name_.clear(); }

 private:
  std::string name_;
};

// The file the record really lives in: "data" itself, or the file that a link named
// "data" leads to (as an installation may keep the settings in a writable folder of
// its own). The new record replaces that file, beside it, and the link stays a link.
std::string SettingsTarget() {
  std::error_code missing;
  const std::filesystem::path resolved = std::filesystem::canonical(kSettingsFileName, missing);
  return missing ? std::string(kSettingsFileName) : resolved.string();
}

// The permissions and owner of the file now, or nothing when it does not exist yet.
// Opening it for writing is the check itself: a read-only "data" is refused with code 5.
std::optional<struct stat> WritableSettingsStatus(const std::string& target) {
  try {
    PosixFile file = PosixFile::Open(target, O_WRONLY);
    struct stat st {};
    if (::fstat(file.Descriptor(), &st) != 0) ThrowIoErrno(errno);
    return st;
  } catch (const IoError& e) {
    if (e.Code() == ioFileNotFound) return std::nullopt;
    throw;
  }
}

void SyncDirectoryOf(const std::string& target) {
  // Makes the rename itself durable. The new "data" is in place already, so a
  // failure here has nothing left to undo and is not reported.
  const std::filesystem::path parent = std::filesystem::path(target).parent_path();
  const std::filesystem::path folder = parent.empty() ? std::filesystem::path(".") : parent;
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Overwrites the record where it lies, then cuts what followed it. Only for a "data"
// that may be written in a folder that may not: no temporary file can be made there.
void RewriteInPlace(const std::string& target, const SettingsRecord::Bytes& bytes) {
  PosixFile file = PosixFile::Open(target, O_WRONLY);
  file.WriteAll(bytes.data(), bytes.size());
  if (::ftruncate(file.Descriptor(), static_cast<off_t>(bytes.size())) != 0) ThrowIoErrno(errno);
  file.Sync();
  file.Close();
}

}  // namespace

void ReadSettings() {
  // Opened for writing too, although only read: a read-only "data" is refused at start-up with
  // code 5, before the player changes settings that could not be saved.
  PosixFile file = PosixFile::Open(kSettingsFileName, O_RDWR);
  SettingsRecord::Bytes bytes;
  file.ReadExact(bytes.data(), bytes.size());
  file.Close();
  CurrentSettings = SettingsRecord::Decode(bytes);
}

void WriteSettings() {
  const std::string target = SettingsTarget();
  std::optional<struct stat> old = WritableSettingsStatus(target);
  const SettingsRecord::Bytes bytes = CurrentSettings.Encode();

  TemporaryName temporary(target + ".new-" + std::to_string(::getpid()));
  ::unlink(temporary.Name().c_str());  // a leftover of an earlier crash
  {
    std::optional<PosixFile> created;
    try {
      created.emplace(PosixFile::Open(temporary.Name(), O_WRONLY | O_CREAT | O_EXCL, 0666));
    } catch (const IoError& e) {
      // A writable "data" in a folder where no file may be created: the safe replacement is
      // impossible, and rewriting in place still saves what the player chose.
      if (!old || e.Code() != ioAccessDenied) throw;
      temporary.Release();
      RewriteInPlace(target, bytes);
      return;
    }
    PosixFile& file = *created;
    if (old) {
      // The new file keeps the old one's permissions, and its owner and group where we
      // may give them away (a shared group-writable "data" stays shared); where we may
      // not, it is ours, as a file we create would be.
      if (::fchown(file.Descriptor(), old->st_uid, old->st_gid) != 0) {
        std::ignore = ::fchown(file.Descriptor(), static_cast<uid_t>(-1), old->st_gid);
      }
      if (::fchmod(file.Descriptor(), old->st_mode & 07777) != 0) ThrowIoErrno(errno);
    }
    file.WriteAll(bytes.data(), bytes.size());
    file.Sync();
    file.Close();
  }
  if (std::rename(temporary.Name().c_str(), target.c_str()) != 0) ThrowIoErrno(errno);
  temporary.Release();
  SyncDirectoryOf(target);
}

}  // namespace verdal
