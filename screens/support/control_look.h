// How the screens colour, caption and size the text of their controls.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QString>
#include <QWidget>

#include "common/colour.h"

namespace verdal {

// A stored colour ($00BBGGRR, or a system colour) as Qt draws it.
inline QColor ToQColor(Colour c) {
  const Colour rgb = ResolveColour(c);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

// Labels draw their text in WindowText, text fields in Text: a control takes both.
inline void SetTextColour(QWidget& control, QColor colour) {
  QPalette palette = control.palette();
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Text, colour);
  control.setPalette(palette);
}

inline QColor TextColour(const QWidget& control) {
  return control.palette().color(QPalette::WindowText);
}

// Sets a label's text; a label laid out without a width grows and shrinks with its text.
inline void SetCaption(QLabel& label, const QString& text) {
  label.setText(text);
  if (label.property("autoSize").toBool()) label.adjustSize();
}

inline QFont PixelFont(int px, bool bold = false) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(px);
  font.setBold(bold);
  return font;
}

}  // namespace verdal
