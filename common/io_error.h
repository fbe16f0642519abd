// Input/output errors: the system's error code and the French text the player reads.
#pragma once

#include <stdexcept>
#include <string>

namespace verdal {

// Codes of the file errors that have their own text. Any other failure keeps a
// code of its own and reads "Erreur E/S <code>".
enum IoErrorCode : int {
  ioFileNotFound = 2,
  ioBadFileName = 3,
  ioTooManyOpenFiles = 4,
  ioAccessDenied = 5,
  ioReadPastEnd = 100,
  ioDiskFull = 101,
  ioBadNumber = 106,
};

// POSIX errors that have no code of the table above are reported as 1000 + errno,
// so that an EIO (errno 5) can never read "Accès au fichier refusé".
inline constexpr int kErrnoCodeBase = 1000;

std::string IoErrorText(int code);

class IoError : public std::runtime_error {
 public:
  explicit IoError(int code);
  int Code() const noexcept { return code_; }

 private:
  int code_;
};

// The code an errno value is reported with.
int IoCodeFromErrno(int err);

[[noreturn]] void ThrowIoErrno(int err);

}  // namespace verdal
