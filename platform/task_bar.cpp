// The task bar as the full-screen state of the game's screens.
#include "platform/task_bar.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace verdal {
namespace {
QtTaskBar qtTaskBar;
constinit InstalledService<TaskBar> installedTaskBar(qtTaskBar);

template <class Change>
void ForEachFullScreenWindow(Change change) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->property(kFullScreenProperty).toBool() && w->isVisible()) change(*w);
  }
}

// Without a window manager the full-screen state keeps the window's size, so the window
// is put over the whole screen first, in either state.
void CoverScreen(QWidget& w) {
  if (const QScreen* screen = w.screen()) w.setGeometry(screen->geometry());
}

}  // namespace

void QtTaskBar::Hide() {
  if (QCoreApplication* app = QCoreApplication::instance()) {
    app->setProperty(kTaskBarHiddenProperty, true);
  }
  ForEachFullScreenWindow([](QWidget& w) {
    CoverScreen(w);
    w.setWindowState(w.windowState() | Qt::WindowFullScreen);
  });
}

void QtTaskBar::Show() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return;
  app->setProperty(kTaskBarHiddenProperty, false);
  ForEachFullScreenWindow([](QWidget& w) {
    w.setWindowState(w.windowState() & ~Qt::WindowFullScreen);
    CoverScreen(w);
  });
}

TaskBar& AppTaskBar() { return installedTaskBar.Get(); }

void InstallTaskBar(TaskBar* taskBar) { installedTaskBar.Install(taskBar); }

ScopedTaskBar::ScopedTaskBar(TaskBar& taskBar) : Scope(installedTaskBar, taskBar) {}

}  // namespace verdal
