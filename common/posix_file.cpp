// A file descriptor that closes itself, with every call checked into an IoError.
#include "common/posix_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "common/io_error.h"

namespace verdal {

PosixFile PosixFile::Open(const std::string& name, int flags, mode_t mode) {
  int fd;
  do {
    fd = ::open(name.c_str(), flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) ThrowIoErrno(errno);
  return PosixFile(fd);
}

PosixFile::~PosixFile() {
  if (fd_ >= 0) ::close(fd_);
}

std::size_t PosixFile::ReadUpTo(void* buffer, std::size_t size) {
  auto* bytes = static_cast<char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = ::read(fd_, bytes + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowIoErrno(errno);
    }
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
    ssize_t n = ::write(fd_, bytes + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      ThrowIoErrno(errno);
    }
    done += static_cast<std::size_t>(n);
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
