// Real input for a shown screen: mouse moves and clicks take the window system's route,
// so the control under the pointer receives them as a player's would.
#pragma once

#include <QCoreApplication>
#include <QTest>
#include <QWidget>
#include <vector>

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

// A path of the pointer over a front screen, and what the hover labels that both front
// screens have say at its end; extra is what the screen shows besides (the set-up screen's
// settings label, the welcome screen's link colour).
template <class Extra>
struct HoverPath {
  const char* name;
  std::vector<QPoint> path;
  const char* jouer;
  const char* quitter;
  const char* aide;
  Extra extra;
};

template <class Control = QWidget>
Control& Named(QWidget& screen, const char* name) {
  auto* control = screen.findChild<Control*>(QString::fromLatin1(name));
  if (!control) throw std::logic_error(std::string("no control ") + name);
  return *control;
}

}  // namespace verdal::test
