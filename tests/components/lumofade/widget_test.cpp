// The control on a Qt screen: painting in place, bounds both ways, mouse events, codecs.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#include <memory>
#include <utility>
#include <vector>

#include "common/clock.h"
#include "components/lumofade/jpeg_decoder.h"
#include "components/lumofade/qt/lumo_fade_widget.h"
#include "components/lumofade/qt/picture_codecs.h"

namespace verdal {
namespace {

class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint;
    return false;
  }
};

// The control on a shown 800x600 screen, its time on a manual clock.
class LumoFadeWidgetTest : public ::testing::Test {
 protected:
  LumoFadeWidgetTest() {
    screen_.setGeometry(0, 0, 800, 600);
    EXPECT_EQ(widget_->geometry(), QRect(0, 0, 75, 75));
    screen_.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&screen_));
  }
  QRgb Shot(int x, int y) { return widget_->grab().toImage().pixel(x, y); }

  ManualClock clock_;
  ScopedClock scoped_{clock_};
  QWidget screen_;
  LumoFadeWidget* widget_ = new LumoFadeWidget(&screen_);
  TLumoFade& fade_ = widget_->Fade();
};

TEST_F(LumoFadeWidgetTest, PaintsTheDisplayImageInPlaceAndAtOnceAfterEachFrame) {
  fade_.SetColorFrom(RgbColour(200, 100, 50));
  EXPECT_EQ(Shot(74, 74), qRgb(200, 100, 50));
  const QImage wrapped = WrapWorkImage(fade_.DisplayImage());
  EXPECT_EQ(wrapped.constBits(), fade_.DisplayImage().Bits().data());  // no copy

  PaintCounter counter;
  widget_->installEventFilter(&counter);
  fade_.SetBlendRate(4);
  fade_.Blend();  // the message loop never runs: only immediate repaints show frames
  EXPECT_GE(counter.paints, 5);
  EXPECT_EQ(Shot(0, 0), qRgb(255, 255, 255));
}

// A stop shows the target once; every later paint shows the frame that was reached.
TEST_F(LumoFadeWidgetTest, AfterAStopPaintsShowTheReachedFrame) {
  fade_.SetBlendRate(4);
  fade_.SetProcessMsgs(true);
  QRgb atEnd = 0;
  fade_.OnEnd = [&](TLumoFade&) { atEnd = Shot(0, 0); };
  fade_.OnBegin = [&](TLumoFade&) {
    // Runs among the messages handled after the first frame.
    QTimer::singleShot(0, widget_, [&] { fade_.Stop(); });
  };
  fade_.Blend();
  const std::uint8_t* reached = fade_.DisplayImage().Row(0);
  EXPECT_NE(qRgb(reached[2], reached[1], reached[0]), qRgb(255, 255, 255));
  EXPECT_EQ(atEnd, qRgb(reached[2], reached[1], reached[0]));
  EXPECT_EQ(Shot(0, 0), atEnd);
}

// A handler, or a message handled between frames, may delete the widget: the transition ends
// there and no handler runs after.
TEST_F(LumoFadeWidgetTest, AWidgetDeletedDuringATransitionEndsIt) {
  for (const bool processMsgs : {true, false}) {
    auto* doomed = new LumoFadeWidget(&screen_);
    const QPointer<LumoFadeWidget> alive(doomed);
    TLumoFade& fade = doomed->Fade();
    fade.SetProcessMsgs(processMsgs);
    fade.SetAutoReverse(true);
    int ends = 0;
    fade.OnEnd = [&](TLumoFade&) { ++ends; };
    fade.OnBegin = [&](TLumoFade&) {
      if (processMsgs) {
        QTimer::singleShot(0, doomed, [doomed] { delete doomed; });
      } else {
        delete doomed;
      }
    };
    fade.Dissolve();
    EXPECT_TRUE(alive.isNull()) << processMsgs;
    EXPECT_EQ(ends, 0) << processMsgs;
  }
}

TEST_F(LumoFadeWidgetTest, BoundsFollowEachOtherAndRebuild) {
  int resets = 0;
  fade_.OnReset = [&resets](TLumoFade&) { ++resets; };
  widget_->move(10, 20);
  EXPECT_EQ(resets, 1);
  EXPECT_EQ(fade_.Left(), 10);
  widget_->resize(30, 40);
  EXPECT_EQ(fade_.DisplayImage().Width() * 100 + fade_.DisplayImage().Height(), 3040);

  // The control sizes itself to its picture: the widget follows.
  fade_.SetStretchToFit(false);
  auto picture = std::make_shared<Picture>();
  picture->pixels.SetSize(433, 353);
  fade_.SetPicTo(picture);
  EXPECT_EQ(widget_->geometry(), QRect(10, 20, 433, 353));

  // Qt delays the events of a hidden widget until it is shown; the control still follows.
  fade_.SetStretchToFit(true);
  widget_->hide();
  widget_->setGeometry(1, 2, 30, 40);
  EXPECT_EQ(widget_->Fade().Left(), 1);
  EXPECT_EQ(fade_.DisplayImage().Height(), 40);
  const int before = resets;
  widget_->show();
  EXPECT_EQ(resets, before);  // the events that come with show find nothing to change
}

TEST_F(LumoFadeWidgetTest, ForwardsMouseEnterAndLeave) {
  std::string seen;
  fade_.OnMouseEnter = [&seen](TLumoFade&) { seen += "enter "; };
  fade_.OnMouseLeave = [&seen](TLumoFade&) { seen += "leave "; };
  QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(widget_, &enter);
  QCoreApplication::sendEvent(widget_, &leave);
  EXPECT_EQ(seen, "enter leave ");
}

QByteArray Saved(const QImage& image, const char* format, int quality = -1) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  EXPECT_TRUE(image.save(&buffer, format, quality));
  return bytes;
}

int Coverage(const Picture& picture, int x, int y) {
  return picture.alpha.at(static_cast<std::size_t>(y) * picture.Width() + x);
}

TEST(PictureCodecs, ReadEachFormatAsItsKind) {
  QImage flat(25, 16, QImage::Format_RGB32);  // 75 bytes a row, padded to 76
  flat.fill(qRgb(10, 20, 30));
  flat.setPixel(3, 2, qRgb(250, 128, 5));

  auto bmp = LoadPicture(Saved(flat, "BMP"));
  EXPECT_EQ(bmp->kind, PictureKind::Bitmap);
  EXPECT_FALSE(bmp->HasTransparency());
  const std::uint8_t* p = bmp->pixels.Row(2) + 3 * 3;
  EXPECT_EQ((std::vector<int>{p[0], p[1], p[2]}), (std::vector<int>{5, 128, 250}));

  auto jpeg = LoadPicture(Saved(flat, "JPG", 100));
  EXPECT_EQ(jpeg->kind, PictureKind::Jpeg);
  EXPECT_EQ(jpeg->Width(), 25);
  EXPECT_EQ(jpeg->pixels.RowSize(), 76);
  EXPECT_NEAR(jpeg->pixels.Row(12)[3 * 20 + 2], 10, 3);  // red, far from the odd pixel
  EXPECT_NEAR(jpeg->pixels.Row(12)[3 * 20], 30, 3);      // blue

  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  icon.setPixel(0, 0, qRgba(0, 255, 0, 255));
  auto ico = LoadPicture(Saved(icon, "ICO"));
  EXPECT_EQ(ico->kind, PictureKind::Icon);
  ASSERT_TRUE(ico->HasTransparency());
  EXPECT_EQ(Coverage(*ico, 0, 0), 255);
  EXPECT_EQ(Coverage(*ico, 5, 5), 0);

  const QByteArray svg =
      "<svg xmlns='http://www.w3.org/2000/svg' width='20' height='10'>"
      "<rect x='0' y='0' width='10' height='10' fill='#ff0000'/></svg>";
  auto metafile = LoadPicture(svg);
  EXPECT_EQ(metafile->kind, PictureKind::Metafile);
  EXPECT_EQ(metafile->Width(), 20);
  EXPECT_EQ(Coverage(*metafile, 2, 2), 255);
  EXPECT_EQ(metafile->pixels.Row(2)[3 * 2 + 2], 255);
  EXPECT_EQ(Coverage(*metafile, 15, 5), 0);
}

TEST(PictureCodecs, RefuseUnreadableBytes) {
  QImage flat(64, 64, QImage::Format_RGB32);
  flat.fill(qRgb(10, 20, 30));
  const QByteArray jpeg = Saved(flat, "JPG", 90);
  EXPECT_THROW(LoadPicture(jpeg.left(jpeg.size() / 2)), JpegError);         // truncated
  EXPECT_THROW(LoadPicture(QByteArray("\xFF\xD8\xFF\xD9", 4)), JpegError);  // no picture
  EXPECT_THAT([&] { DecodeJpeg(reinterpret_cast<const std::uint8_t*>(jpeg.constData()), 300); },
              testing::ThrowsMessage<JpegError>(testing::HasSubstr("Image JPEG illisible")));
  EXPECT_THROW(LoadPicture(QByteArray("not a picture at all")), PictureError);
  EXPECT_THROW(LoadPicture(QByteArray("<svg xmlns='http://www.w3.org/2000/svg'")), PictureError);
}

// The picture keeps its alpha apart: colours stay unpremultiplied whatever the image's format.
TEST(PictureCodecs, PicturesKeepPlainColoursAndTheirAlpha) {
  QImage image(2, 1, QImage::Format_ARGB32_Premultiplied);
  image.setPixelColor(0, 0, QColor(200, 100, 40, 128));
  image.setPixelColor(1, 0, QColor(10, 20, 30));
  const QRgb half = image.convertToFormat(QImage::Format_ARGB32).pixel(0, 0);
  const Picture picture = PictureFromImage(image, PictureKind::Metafile);
  const std::uint8_t* row = picture.pixels.Row(0);
  EXPECT_EQ(std::vector<int>(row, row + 6),
            (std::vector<int>{qBlue(half), qGreen(half), qRed(half), 30, 20, 10}));
  EXPECT_GT(qRed(half), 190);  // not the premultiplied 100
  EXPECT_EQ(picture.alpha, (std::vector<std::uint8_t>{128, 255}));
}

// The header's size is refused before anything is allocated for it: 65500 x 65500 (libjpeg's
// own limit) would ask for some 12 GB. Any screen fits under the bound.
TEST(PictureCodecs, RefuseAJpegLargerThanTheBound) {
  QImage flat(64, 64, QImage::Format_RGB32);
  flat.fill(qRgb(10, 20, 30));
  const QByteArray jpeg = Saved(flat, "JPG", 90);
  const qsizetype frame = jpeg.indexOf(QByteArray("\xFF\xC0", 2));  // marker, length, precision
  ASSERT_GT(frame, 0);
  for (const auto& [width, height] :
       {std::pair(4097, 16), std::pair(16, 4097), std::pair(65500, 65500)}) {
    QByteArray announcing = jpeg;
    qToBigEndian<quint16>(static_cast<quint16>(height), announcing.data() + frame + 5);
    qToBigEndian<quint16>(static_cast<quint16>(width), announcing.data() + frame + 7);
    EXPECT_THAT([&] { LoadPicture(announcing); },
                testing::ThrowsMessage<JpegError>(testing::StrEq(
                    "Image JPEG illisible : Maximum supported image dimension is 4096 pixels")))
        << width << " x " << height;
  }
}

}  // namespace
}  // namespace verdal
