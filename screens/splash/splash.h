// FSplash: the start-up window where the desktop fades to black and the title and the
// makers' logo fade in and out.
#pragma once

#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

namespace verdal {

class LumoFadeWidget;
class TLumoFade;

// One fade as it ran: frames painted and the clock at its start and end.
struct FadeTiming {
  QString control;
  int frames = 0;
  std::int64_t startMs = 0;
  std::int64_t endMs = 0;
};

class TFSplash : public QWidget {
 public:
  explicit TFSplash(QWidget* parent = nullptr);

  // The whole sequence, from the unchanged desktop to black; it takes no input meanwhile.
  // Throws Abandoned when the application is told to end (a termination signal) on the way.
  void Play();

  const std::vector<FadeTiming>& Timings() const { return timings_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormShow();
  void WaitUntilExposed();
  void Pause(int ms);
  void Timed(LumoFadeWidget& control, void (TLumoFade::*fade)());

  LumoFadeWidget* LumoFade1;
  LumoFadeWidget* LumoFade2;
  LumoFadeWidget* LumoFade3;
  QObject* counted_ = nullptr;
  int paints_ = 0;
  std::vector<FadeTiming> timings_;
};

}  // namespace verdal
