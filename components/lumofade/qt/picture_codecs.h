// Picture codecs: file bytes to the control's pictures (JPEG, GIF, BMP, ICO, SVG).
#pragma once

#include <QByteArray>
#include <QImage>
#include <memory>
#include <stdexcept>
#include <string>

#include "components/lumofade/picture.h"

namespace verdal {

class PictureError : public std::runtime_error {
 public:
  explicit PictureError(const std::string& message) : std::runtime_error(message) {}
};

// Recognises the format by its first bytes: JPEG through libjpeg, SVG as a metafile, ICO as an
// icon, and GIF, BMP or anything else Qt reads as a bitmap. Throws PictureError (or JpegError)
// when the bytes cannot be read.
std::shared_ptr<const Picture> LoadPicture(const QByteArray& bytes);

// The pixels of a Qt image as a picture of the given kind; transparency is kept when the image
// has an alpha channel.
Picture PictureFromImage(const QImage& image, PictureKind kind);

}  // namespace verdal
