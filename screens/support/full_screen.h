// Showing a screen that covers the desktop: in the full-screen state while the task bar is
// hidden, as a plain window over the whole screen otherwise.
#pragma once

#include <QScreen>
#include <QWidget>

#include "platform/task_bar.h"

namespace verdal {

inline void ShowFullScreen(QWidget& screen) {
  // The task bar follows the marked windows when it is hidden or restored later on.
  screen.setProperty(kFullScreenProperty, true);
  if (!(screen.windowFlags() & Qt::FramelessWindowHint)) {
    screen.setWindowFlag(Qt::FramelessWindowHint);
  }
  // Without a window manager the full-screen state keeps the window's own size.
  if (const QScreen* desktop = screen.screen()) screen.setGeometry(desktop->geometry());
  if (TaskBarHidden()) {
    screen.showFullScreen();
  } else {
    screen.showNormal();
  }
  screen.raise();
  screen.activateWindow();
}

}  // namespace verdal
