// Showing screens: one that covers the desktop is in the full-screen state while the task bar
// is hidden, a plain window over the whole screen otherwise; the tool windows come on top.
#pragma once

#include <QScreen>
#include <QWidget>

#include "platform/task_bar.h"
#include "screens/support/screen_lookup.h"

namespace verdal {

// Names a screen that covers the desktop and gives it its black 800x600 ground; moves of the
// pointer over it reach it, since its handlers empty the hover labels.
inline void MakeBlackScreen(QWidget& screen, const char* name) {
  screen.setObjectName(QString::fromLatin1(name));
  screen.setWindowTitle(QStringLiteral("VERDAL"));
  screen.resize(800, 600);
  screen.setAutoFillBackground(true);
  QPalette black = screen.palette();
  black.setColor(QPalette::Window, Qt::black);
  screen.setPalette(black);
  screen.setMouseTracking(true);
}

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
