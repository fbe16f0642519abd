// FSplash: the start-up window where the desktop fades to black and the title and the
// makers' logo fade in and out.
#pragma once

#include <QWidget>

namespace verdal {

class LumoFadeWidget;

class TFSplash : public QWidget {
 public:
  explicit TFSplash(QWidget* parent = nullptr);

  // The whole sequence, from the unchanged desktop to black; it takes no input meanwhile.
  // Throws Abandoned when the application is told to end (a termination signal) on the way.
  void Play();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  void WaitUntilExposed();
  void Pause(int ms);

  LumoFadeWidget* LumoFade1;
  LumoFadeWidget* LumoFade2;
  LumoFadeWidget* LumoFade3;
};

}  // namespace verdal
