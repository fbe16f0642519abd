// The screens reach each other by object name ("Form_debut", "Form_aide"), as top-level
// windows of the application, and their controls by object name too. A screen that
// does not exist (a test that made only one) is simply not found.
#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>

namespace verdal {

inline QWidget* FindScreen(const QString& name) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == name) return w;
  }
  return nullptr;
}

// Shows the named window above the others; a window that does not exist is not shown.
inline void ShowOnTop(const char* name) {
  if (QWidget* window = FindScreen(QString::fromLatin1(name))) {
    window->show();
    window->raise();
    window->activateWindow();
  }
}

// A named control of a named screen, or nullptr.
template <class Control>
Control* FindControl(const QString& screen, const QString& control) {
  QWidget* s = FindScreen(screen);
  return s ? s->findChild<Control*>(control) : nullptr;
}

}  // namespace verdal
