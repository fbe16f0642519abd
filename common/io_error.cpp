// Input/output errors: the system's error code and the French text the player reads.
#include "common/io_error.h"

#include <cerrno>

namespace verdal {

std::string IoErrorText(int code) {
  switch (code) {
    case ioFileNotFound:
      return "Fichier introuvable";
    case ioBadFileName:
      return "Nom de fichier incorrect";
    case ioTooManyOpenFiles:
      return "Trop de fichiers ouverts";
    case ioAccessDenied:
      return "Accès au fichier refusé";
    case ioReadPastEnd:
      return "Lecture au delà de la fin de fichier";
    case ioDiskFull:
      return "Disque plein";
    case ioBadNumber:
      return "Saisie numérique incorrecte";
    default:
      return "Erreur E/S " + std::to_string(code);
  }
}

IoError::IoError(int code) : std::runtime_error(IoErrorText(code)), code_(code) {}

int IoCodeFromErrno(int err) {
  switch (err) {
    case ENOENT:
      return ioFileNotFound;
    case ENAMETOOLONG:
    case ENOTDIR:
    case ELOOP:
    case EILSEQ:
      return ioBadFileName;
    case EMFILE:
    case ENFILE:
      return ioTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return ioAccessDenied;
    case ENOSPC:
    case EDQUOT:
      return ioDiskFull;
    default:
      return kErrnoCodeBase + err;
  }
}

void ThrowIoErrno(int err) { throw IoError(IoCodeFromErrno(err)); }

}  // namespace verdal
