// A letter cell that paints its colour and centres its capital.
#include "screens/game/letter_cell.h"

#include <QFontMetrics>
#include <QPainter>

namespace verdal {

LetterCell::LetterCell(QWidget* parent) : QLabel(parent) {
  setAutoFillBackground(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void LetterCell::SetColour(const QColor& colour) {
  if (Colour() == colour) return;
  QPalette p = palette();
  p.setColor(QPalette::Window, colour);
  setPalette(p);
}

void LetterCell::SetTextColour(const QColor& colour) {
  QPalette p = palette();
  p.setColor(QPalette::WindowText, colour);
  setPalette(p);
}

void LetterCell::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Colour());
  if (text().isEmpty()) return;
  painter.setFont(font());
  painter.setPen(palette().color(QPalette::WindowText));
  const QFontMetrics metrics(font());
  const int baseline = (height() + metrics.capHeight()) / 2;
  const int x = (width() - metrics.horizontalAdvance(text())) / 2;
  painter.drawText(x, baseline, text());
}

}  // namespace verdal
