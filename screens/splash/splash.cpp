// FSplash: the three fade controls and the sequence they play.
#include "screens/splash/splash.h"

#include <QEvent>
#include <QScreen>
#include <QWindow>

#include "assets/pictures/pictures.h"
#include "common/clock.h"
#include "common/messages.h"
#include "components/lumofade/qt/lumo_fade_widget.h"
#include "components/lumofade/qt/picture_codecs.h"
#include "platform/desktop.h"
#include "platform/pointer.h"
#include "screens/support/event_wait.h"

namespace verdal {
namespace {

constexpr int kPauseMs = 1000;
constexpr int kMsecPerFrame = 25;
constexpr int kExposeWaitMs = 2000;

LumoFadeWidget* MakeFade(QWidget* parent, const char* name, QRect bounds, const char* picture) {
  auto* control = new LumoFadeWidget(parent);
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(bounds);
  TLumoFade& fade = control->Fade();
  fade.SetStretchToFit(false);
  fade.SetColorTo(colours::Black);
  fade.SetMsecPerFrame(kMsecPerFrame);
  if (picture) fade.SetPicTo(LoadPicture(pictures::PictureBytes(picture)));
  return control;
}

}  // namespace

TFSplash::TFSplash(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("FSplash"));
  setStyleSheet(QStringLiteral("background: black;"));
  if (const QScreen* desktop = screen()) setGeometry(desktop->geometry());
  LumoFade1 = MakeFade(this, "LumoFade1", QRect(0, 0, 0, 0), nullptr);
  LumoFade1->Fade().SetBlendRate(50);
  LumoFade2 = MakeFade(this, "LumoFade2", QRect(104, 248, 612, 88), pictures::kBanniere);
  LumoFade3 = MakeFade(this, "LumoFade3", QRect(304, 192, 200, 169), pictures::kLogo);
  LumoFade2->hide();
  LumoFade3->hide();
}

void TFSplash::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  ReportErrors([&] { FormShow(); });
}

void TFSplash::FormShow() {
  AppPointer().ShowCursor(false);
  // Taken before the splash paints anything, so it first shows the desktop unchanged.
  QImage desktop = AppDesktop().Snapshot();
  if (desktop.size() != size()) {
    // Without a snapshot (a desktop that refuses it) the splash starts from black; one in
    // device pixels is brought to the window's size, which the control takes from it.
    if (desktop.isNull()) {
      desktop = QImage(size(), QImage::Format_RGB32);
      desktop.fill(Qt::black);
    } else {
      desktop = desktop.scaled(size());
    }
  }
  LumoFade1->setGeometry(0, 0, width(), height());
  LumoFade1->Fade().SetPicFrom(
      std::make_shared<const Picture>(PictureFromImage(desktop, PictureKind::Bitmap)));
  LumoFade1->Fade().Reset();
}

void TFSplash::WaitUntilExposed() {
  // The window system maps a new window in its own time, and frames painted before that
  // are lost. Input stays queued: the start-up takes none.
  QWindow* window = windowHandle();
  if (!window) return;
  EventWait wait;
  wait.EndOn(*window, QEvent::Expose);
  Clock& clock = AppClock();
  const std::int64_t until = clock.NowMs() + kExposeWaitMs;
  while (!window->isExposed() && clock.NowMs() < until) {
    const bool byItself = clock.RunsByItself();
    const int left = static_cast<int>(until - clock.NowMs());
    if (!wait.Run(byItself ? left : 0, QEventLoop::ExcludeUserInputEvents)) throw Abandoned();
    if (!byItself && !window->isExposed()) clock.SleepMs(1);
  }
}

void TFSplash::Pause(int ms) {
  // Events other than input are handled meanwhile, so that a termination request ends the
  // program at once.
  EventWait wait;
  Clock& clock = AppClock();
  if (!wait.Run(clock.RunsByItself() ? ms : 0, QEventLoop::ExcludeUserInputEvents)) {
    throw Abandoned();
  }
  if (!clock.RunsByItself()) clock.SleepMs(ms);
}

void TFSplash::Play() {
  WaitUntilExposed();
  repaint();
  Pause(kPauseMs);
  LumoFade1->Fade().Blend();
  for (LumoFadeWidget* control : {LumoFade2, LumoFade3}) {
    control->show();
    control->Fade().Blend();
    Pause(kPauseMs);
    control->Fade().ReverseBlend();
  }
}

}  // namespace verdal
