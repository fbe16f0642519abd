// Real input for a shown screen: mouse moves and clicks take the window system's route,
// so the control under the pointer receives them as a player's would.
#pragma once

#include <QCoreApplication>
#include <QTest>
#include <QWidget>

namespace verdal::test {

inline void MoveTo(QWidget& screen, QPoint at) {
  QTest::mouseMove(screen.windowHandle(), at);
  QCoreApplication::processEvents();
}

inline void ClickAt(QWidget& screen, QPoint at) {
  MoveTo(screen, at);
  QTest::mouseClick(screen.windowHandle(), Qt::LeftButton, {}, at);
  QCoreApplication::processEvents();
}

template <class Control = QWidget>
Control& Named(QWidget& screen, const char* name) {
  auto* control = screen.findChild<Control*>(QString::fromLatin1(name));
  if (!control) throw std::logic_error(std::string("no control ") + name);
  return *control;
}

}  // namespace verdal::test
