// The pointer's display count over Qt's override cursor.
#include "platform/pointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace verdal {
namespace {
QtPointer qtPointer;
constinit InstalledService<Pointer> installedPointer(qtPointer);
}  // namespace

int QtPointer::ShowCursor(bool show) {
  const bool wasShown = count_ >= 0;
  count_ += show ? 1 : -1;
  const bool shown = count_ >= 0;
  // Only crossings touch the override stack, so each blank cursor pushed is popped once.
  if (wasShown && !shown) QGuiApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
  if (!wasShown && shown) QGuiApplication::restoreOverrideCursor();
  return count_;
}

Pointer& AppPointer() { return installedPointer.Get(); }

void InstallPointer(Pointer* pointer) { installedPointer.Install(pointer); }

ScopedPointer::ScopedPointer(Pointer& pointer) : Scope(installedPointer, pointer) {}

}  // namespace verdal
