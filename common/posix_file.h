// A file descriptor that closes itself, with every call checked into an IoError.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace verdal {

class PosixFile {
 public:
  // Opens name relative to the current directory; throws IoError on failure.
  static PosixFile Open(const std::string& name, int flags, mode_t mode = 0666);

  PosixFile(PosixFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  PosixFile& operator=(PosixFile&&) = delete;
  ~PosixFile();  // closes unchecked: only reached on a path that already failed

  // Reads until size bytes or the end of the file; returns the bytes read.
  std::size_t ReadUpTo(void* buffer, std::size_t size);
  // Reads exactly size bytes; running past the end is error 100.
  void ReadExact(void* buffer, std::size_t size);
  std::string ReadAll();
  void WriteAll(const void* data, std::size_t size);
  void Sync();
  // Closes and reports a failing close, which may be the first sign of a lost write.
  void Close();
  int Descriptor() const { return fd_; }

 private:
  explicit PosixFile(int fd) : fd_(fd) {}
  int fd_;
};

}  // namespace verdal
