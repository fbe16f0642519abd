// A file descriptor that closes itself, with every call checked into an IoError.
#include "common/posix_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/io_error.h"

namespace verdal {
namespace {

// Runs a system call again while a signal interrupts it; any other failure throws.
template <class Call>
auto Retrying(Call call) {
  for (;;) {
    auto result = call();
    if (result >= 0) return result;
    if (errno != EINTR) ThrowIoErrno(errno);
  }
}

}  // namespace

PosixFile PosixFile::Open(const std::string& name, int flags, mode_t mode) {
  // Opened without blocking and refused unless it is a file or a folder (whose reads fail
  // with their own error): a pipe or a terminal given one of the game's names would
  // otherwise hold the game forever, in the open or in the first read.
  PosixFile file(
      Retrying([&] { return ::open(name.c_str(), flags | O_CLOEXEC | O_NONBLOCK, mode); }));
  struct stat info {};
  Retrying([&] { return ::fstat(file.fd_, &info); });
  if (!S_ISREG(info.st_mode) && !S_ISDIR(info.st_mode)) throw IoError(ioAccessDenied);
  const int status = Retrying([&] { return ::fcntl(file.fd_, F_GETFL); });
  Retrying([&] { return ::fcntl(file.fd_, F_SETFL, status & ~O_NONBLOCK); });
  return file;
}

PosixFile::~PosixFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t PosixFile::ReadUpTo(void* buffer, std::size_t size) {
  auto* bytes = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = Retrying([&] { return ::read(fd_, bytes + done, size - done); });
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

void PosixFile::ReadExact(void* buffer, std::size_t size) {
  if (ReadUpTo(buffer, size) != size) throw IoError(ioReadPastEnd);
}

std::string PosixFile::ReadAll() {
  std::string text;
  char chunk[65536];
  for (;;) {
    std::size_t n = ReadUpTo(chunk, sizeof chunk);
    text.append(chunk, n);
    if (n < sizeof chunk) return text;
  }
}

void PosixFile::WriteAll(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  std::size_t done = 0;
  while (done < size) {
    done +=
        static_cast<std::size_t>(Retrying([&] { return ::write(fd_, bytes + done, size - done); }));
  }
}

void PosixFile::Sync() {
  if (::fsync(fd_) != 0) ThrowIoErrno(errno);
}

void PosixFile::Close() {
  int fd = fd_;
  fd_ = -1;
  // Linux releases the descriptor even when close fails, so it is never retried.
  if (::close(fd) != 0 && errno != EINTR) ThrowIoErrno(errno);
}

}  // namespace verdal
