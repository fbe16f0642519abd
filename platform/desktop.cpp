// The primary screen's size and snapshot, and the installed desktop.
#include "platform/desktop.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace verdal {
namespace {
QtDesktop qtDesktop;
constinit InstalledService<Desktop> installedDesktop(qtDesktop);
}  // namespace

QSize QtDesktop::Size() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->size() : QSize();
}

QImage QtDesktop::Snapshot() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->grabWindow(0).toImage() : QImage();
}

Desktop& AppDesktop() { return installedDesktop.Get(); }

void InstallDesktop(Desktop* desktop) { installedDesktop.Install(desktop); }

ScopedDesktop::ScopedDesktop(Desktop& desktop) : Scope(installedDesktop, desktop) {}

}  // namespace verdal
