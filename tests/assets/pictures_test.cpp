// The pictures compiled in as resources: each decodes, with exactly its size and kind.
#include "assets/pictures/pictures.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QResource>
#include <QSet>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "components/lumofade/jpeg_decoder.h"

namespace verdal {
namespace {

struct Expected {
  const char* path;
  const char* format;  // as QImageReader names it, judged from the content alone
  int width;
  int height;
};

constexpr Expected kSet[] = {
    {pictures::kFond, "jpeg", 595, 574},       {pictures::kBanniere, "jpeg", 612, 88},
    {pictures::kLogo, "jpeg", 200, 169},       {pictures::kLogoPetit, "jpeg", 100, 85},
    {pictures::kBravo, "jpeg", 433, 353},      {pictures::kCroixRouge, "gif", 26, 26},
    {pictures::kCroixBleue, "gif", 30, 30},    {pictures::kCroixVerte, "gif", 30, 30},
    {pictures::kCroixViolette, "gif", 26, 26}, {pictures::kOk, "gif", 40, 38},
    {pictures::kRire, "gif", 25, 25},          {pictures::kTriste, "gif", 25, 25},
    {pictures::kJoueur1, "gif", 264, 44},      {pictures::kJoueur2, "gif", 287, 46},
    {pictures::kOui, "bmp", 32, 16},           {pictures::kNon, "bmp", 32, 16},
};

// Decodes through Qt, the kind sniffed from the bytes rather than taken from the file name.
QImage ReadSniffed(const char* path, QByteArray* format) {
  QByteArray bytes = pictures::PictureBytes(path);
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  *format = reader.format();
  return reader.read();
}

int DistinctColours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

TEST(Pictures, EachDecodesFromTheResourcesWithItsSizeAndKind) {
  for (const Expected& e : kSet) {
    SCOPED_TRACE(e.path);
    QByteArray format;
    const QImage image = ReadSniffed(e.path, &format);
    EXPECT_EQ(format.toStdString(), e.format);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), e.width);
    EXPECT_EQ(image.height(), e.height);
    // Not blank, not a flat placeholder.
    EXPECT_GT(DistinctColours(image), 8);
  }
}

TEST(Pictures, JpegPicturesDecodeThroughLibjpegAsThroughQt) {
  for (const Expected& e : kSet) {
    if (std::string(e.format) != "jpeg") continue;
    SCOPED_TRACE(e.path);
    const QByteArray bytes = pictures::PictureBytes(e.path);
    const WorkImage decoded =
        DecodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size());
    ASSERT_EQ(decoded.Width(), e.width);
    ASSERT_EQ(decoded.Height(), e.height);
    // Both decoders see the same colour picture: blue-green-red rows against Qt's RGB.
    const QImage reference = QImage::fromData(bytes, "JPEG").convertToFormat(QImage::Format_RGB32);
    long long difference = 0;
    for (int y = 0; y < e.height; ++y) {
      const std::uint8_t* row = decoded.Row(y);
      for (int x = 0; x < e.width; ++x) {
        const QRgb q = reference.pixel(x, y);
        difference += std::abs(row[3 * x] - qBlue(q)) + std::abs(row[3 * x + 1] - qGreen(q)) +
                      std::abs(row[3 * x + 2] - qRed(q));
      }
    }
    EXPECT_LT(difference / (3LL * e.width * e.height), 2);
  }
}

TEST(Pictures, OnlyTheHeadingsAreTransparent) {
  for (const Expected& e : kSet) {
    SCOPED_TRACE(e.path);
    const QImage image(QString::fromLatin1(e.path));
    const bool heading = e.path == pictures::kJoueur1 || e.path == pictures::kJoueur2;
    EXPECT_EQ(image.hasAlphaChannel(), heading);
    if (!heading) continue;
    // Clear around the letters, solid on them.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(argb.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(argb.pixel(argb.width() - 1, argb.height() - 1)), 0);
    int opaque = 0;
    for (int y = 0; y < argb.height(); ++y) {
      for (int x = 0; x < argb.width(); ++x) opaque += qAlpha(argb.pixel(x, y)) == 255;
    }
    EXPECT_GT(opaque, argb.width() * argb.height() / 5);
  }
}

// The mean colour of the pixels that are neither near black nor near white.
QColor MeanTint(const QImage& image) {
  long long r = 0, g = 0, b = 0, n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = QColor::fromRgb(image.pixel(x, y));
      if (c.value() < 60 || c.saturation() < 60) continue;
      r += c.red(), g += c.green(), b += c.blue(), ++n;
    }
  }
  if (n == 0) return Qt::black;
  return QColor(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

TEST(Pictures, EachCrossHasTheColourOfItsButton) {
  const QColor rouge = MeanTint(QImage(pictures::kCroixRouge));
  EXPECT_GT(rouge.red(), rouge.green() + 60);
  EXPECT_GT(rouge.red(), rouge.blue() + 60);
  const QColor bleue = MeanTint(QImage(pictures::kCroixBleue));
  EXPECT_GT(bleue.blue(), bleue.red() + 60);
  EXPECT_GT(bleue.blue(), bleue.green() + 30);
  const QColor verte = MeanTint(QImage(pictures::kCroixVerte));
  EXPECT_GT(verte.green(), verte.red() + 60);
  EXPECT_GT(verte.green(), verte.blue() + 60);
  const QColor violette = MeanTint(QImage(pictures::kCroixViolette));
  EXPECT_GT(violette.red(), violette.green() + 40);
  EXPECT_GT(violette.blue(), violette.green() + 40);
}

TEST(Pictures, ButtonGlyphsAreColouredWhenNormalAndGreyWhenDisabled) {
  for (const char* path : {pictures::kOui, pictures::kNon}) {
    SCOPED_TRACE(path);
    const QImage glyph(path);
    ASSERT_EQ(glyph.size(), QSize(32, 16));
    const QImage normal = glyph.copy(0, 0, 16, 16);
    const QImage disabled = glyph.copy(16, 0, 16, 16);
    // One background colour, the bottom-left pixel of each state, keyed the same way.
    EXPECT_EQ(normal.pixel(0, 15), disabled.pixel(0, 15));
    EXPECT_GT(MeanTint(normal).saturation(), 120);
    EXPECT_EQ(MeanTint(disabled).name().toStdString(), "#000000") << "no colour when disabled";
  }
  EXPECT_GT(MeanTint(QImage(pictures::kOui).copy(0, 0, 16, 16)).green(), 120);
  EXPECT_GT(MeanTint(QImage(pictures::kNon).copy(0, 0, 16, 16)).red(), 120);
}

TEST(Pictures, BytesAreHandedOutInPlaceAndMissingPicturesAreEmpty) {
  const QResource resource(QString::fromLatin1(pictures::kBravo));
  const QByteArray bytes = pictures::PictureBytes(pictures::kBravo);
  EXPECT_EQ(static_cast<const void*>(bytes.constData()), static_cast<const void*>(resource.data()));
  EXPECT_EQ(bytes.size(), resource.size());
  EXPECT_TRUE(pictures::PictureBytes(":/pictures/absente.jpg").isEmpty());
  EXPECT_TRUE(pictures::PictureBytes(":/pictures").isEmpty());
}

}  // namespace
}  // namespace verdal
