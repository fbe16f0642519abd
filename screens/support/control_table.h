// The fixed controls of a screen as one table: each row makes one named label, picture or
// picture button with its place, text, picture, font and colour.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <QString>

#include "screens/support/control_look.h"
#include "screens/support/picture_button.h"

namespace verdal {

enum class ControlKind { Label, Picture, Button };

struct ControlRow {
  const char* name;
  ControlKind kind;
  QRect bounds;  // a label of width 0 takes its text's size, as it changes
  const char* text = "";
  const char* picture = nullptr;
  int fontPx = 0;  // 0: the parent's font
  QRgb colour = 0xFFFFFF;
  bool bold = false;
};

inline QLabel* MakeControl(QWidget* parent, const ControlRow& row) {
  QLabel* control =
      row.kind == ControlKind::Button ? new PictureButton(parent) : new QLabel(parent);
  control->setObjectName(QString::fromLatin1(row.name));
  if (row.fontPx > 0) control->setFont(PixelFont(row.fontPx, row.bold));
  SetTextColour(*control, QColor::fromRgb(row.colour));
  if (row.picture) {
    // Pictures are drawn unscaled at the top left of their rectangle.
    control->setPixmap(QPixmap(QString::fromLatin1(row.picture)));
    control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  }
  control->setGeometry(row.bounds);
  if (row.bounds.width() == 0) control->setProperty("autoSize", true);
  SetCaption(*control, QString::fromUtf8(row.text));
  return control;
}

// A control that a table made, by its name.
template <class Control>
Control* NamedChild(QWidget* parent, const char* name) {
  return parent->findChild<Control*>(QString::fromLatin1(name));
}

template <std::size_t N>
void MakeControls(QWidget* parent, const ControlRow (&rows)[N]) {
  for (const ControlRow& row : rows) MakeControl(parent, row);
}

}  // namespace verdal
