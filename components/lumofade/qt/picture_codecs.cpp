// Picture codecs: libjpeg for JPEG, Qt's readers for the other formats.
#include "components/lumofade/qt/picture_codecs.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <cstring>

#include "components/lumofade/jpeg_decoder.h"

namespace verdal {
namespace {

bool LooksLikeSvg(const QByteArray& bytes) {
  const QByteArray head = bytes.left(1024).trimmed();
  return head.startsWith("<svg") || (head.startsWith("<?xml") && head.contains("<svg"));
}

QImage ReadWithQt(const QByteArray& bytes, const char* format) {
  QBuffer buffer;
  buffer.setData(bytes);
  QImageReader reader(&buffer, format);
  QImage image = reader.read();
  if (image.isNull()) {
    throw PictureError("Image illisible : " + reader.errorString().toStdString());
  }
  return image;
}

// A vector picture drawn at its own size on a transparent ground: it sets only its own pixels.
QImage RenderSvg(const QByteArray& bytes) {
  QSvgRenderer renderer(bytes);
  const QSize size = renderer.defaultSize();
  if (!renderer.isValid() || size.isEmpty()) throw PictureError("Image vectorielle illisible");
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

}  // namespace

Picture PictureFromImage(const QImage& image, PictureKind kind) {
  Picture picture;
  picture.kind = kind;
  const int width = image.width();
  picture.pixels.SetSize(width, image.height());
  // The picture keeps its alpha apart, so its colours are the unpremultiplied ones: a
  // premultiplied image (a rendered vector picture) goes through the plain alpha format first.
  const bool transparent = image.hasAlphaChannel();
  const QImage plain = transparent ? image.convertToFormat(QImage::Format_ARGB32) : image;
  const QImage bgr = plain.convertToFormat(QImage::Format_BGR888);
  for (int y = 0; y < bgr.height(); ++y) {
    std::memcpy(picture.pixels.Row(y), bgr.constScanLine(y), static_cast<std::size_t>(width) * 3);
  }
  if (transparent) {
    const QImage alpha = plain.convertToFormat(QImage::Format_Alpha8);
    picture.alpha.resize(static_cast<std::size_t>(width) * image.height());
    for (int y = 0; y < alpha.height(); ++y) {
      std::memcpy(picture.alpha.data() + static_cast<std::size_t>(y) * width,
                  alpha.constScanLine(y), static_cast<std::size_t>(width));
    }
  }
  return picture;
}

std::shared_ptr<const Picture> LoadPicture(const QByteArray& bytes) {
  if (bytes.startsWith("\xFF\xD8")) {
    auto picture = std::make_shared<Picture>();
    picture->kind = PictureKind::Jpeg;
    picture->pixels = DecodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                 static_cast<std::size_t>(bytes.size()));
    return picture;
  }
  if (LooksLikeSvg(bytes)) {
    return std::make_shared<Picture>(PictureFromImage(RenderSvg(bytes), PictureKind::Metafile));
  }
  if (bytes.startsWith(QByteArrayView("\0\0\1\0", 4))) {
    return std::make_shared<Picture>(PictureFromImage(ReadWithQt(bytes, "ico"), PictureKind::Icon));
  }
  return std::make_shared<Picture>(
      PictureFromImage(ReadWithQt(bytes, nullptr), PictureKind::Bitmap));
}

}  // namespace verdal
