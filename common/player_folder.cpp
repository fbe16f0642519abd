// The player's own folder: made, given the shipped files it lacks, checked writable.
#include "common/player_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <system_error>
#include <utility>

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
    case EFBIG:
      return "fichier trop gros";
    default:
      return IoErrorText(IoCodeFromErrno(err));
  }
}

[[noreturn]] void Refuse(const std::filesystem::path& folder, int err) {
  throw PlayerFolderError("VERDAL ne peut pas utiliser le dossier " + folder.string() + " : " +
                          Reason(err));
}

// A descriptor closed when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  int Release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// Copies every byte of in to out; returns 0 or the errno of the failing call.
int CopyBytes(int in, int out) {
  char chunk[65536];
  for (;;) {
    const ssize_t got = ::read(in, chunk, sizeof chunk);
    if (got == 0) return 0;
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = ::write(out, chunk + done, static_cast<std::size_t>(got - done));
      if (put < 0 && errno != EINTR) return errno;
      if (put > 0) done += put;
    }
  }
}

// Copies source to target so that target never exists half-written, whatever stops the
// copy (a full disk, a kill): the bytes go to a temporary file beside it, are synced, and
// only then is the file linked to its final name. link() never replaces a file, so one that
// appeared meanwhile (another start's whole copy) stays. Returns 0 or the errno of the step
// that failed; no temporary file is left behind.
int CopyWhole(const std::filesystem::path& source, const std::filesystem::path& target) {
  // Not blocking, and only a plain file: a pipe of that name would hold the start forever.
  const Descriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (in.Get() < 0) return errno;
  struct stat info {};
  if (::fstat(in.Get(), &info) != 0) return errno;
  if (!S_ISREG(info.st_mode)) return EINVAL;
  // Named after this process, so no other start can be writing it: one left by a killed
  // start that had the same number is removed first.
  const std::filesystem::path temporary =
      target.parent_path() /
      ("." + target.filename().string() + ".copie-" + std::to_string(::getpid()));
  ::unlink(temporary.c_str());
  Descriptor out(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (out.Get() < 0) return errno;
  int failure = CopyBytes(in.Get(), out.Get());
  if (failure == 0 && ::fsync(out.Get()) != 0) failure = errno;
  if (failure == 0 && ::close(out.Release()) != 0) failure = errno;
  if (failure == 0 && ::link(temporary.c_str(), target.c_str()) != 0 && errno != EEXIST) {
    failure = errno;
  }
  ::unlink(temporary.c_str());
  if (failure == 0) {
    // Makes the new name itself durable; the file is in place, so nothing is undone here.
    const Descriptor folder(
        ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0) ::fsync(folder.Get());
  }
  return failure;
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
    // Made with the usual rights, not the shipped file's: the player's copy is theirs to change.
    if (const int failure = CopyWhole(shipped / name, mine); failure != 0) {
      throw PlayerFolderError("VERDAL ne peut pas copier le fichier livré « " + std::string(name) +
                              " » dans le dossier " + folder.string() + " : " + Reason(failure));
    }
  }
}

}  // namespace verdal
