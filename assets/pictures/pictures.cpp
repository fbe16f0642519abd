// The stored bytes of the pictures compiled in as resources.
#include "assets/pictures/pictures.h"

#include <QFileInfo>
#include <QResource>

namespace verdal::pictures {

QByteArray PictureBytes(const char* path) {
  const QString name = QString::fromLatin1(path);
  if (!QFileInfo(name).isFile()) return {};  // missing, or a folder of resources
  return QResource(name).uncompressedData();
}

}  // namespace verdal::pictures
