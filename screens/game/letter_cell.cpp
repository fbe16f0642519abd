// A letter cell that paints its colour and centres its capital.
#include "screens/game/letter_cell.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

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
  // The 7- and 8-letter rows keep the large letters of the 6-letter row in narrower cells:
  // the rare letter wider than its cell (W) is drawn just narrow enough to fit whole.
  QFont letterFont = font();
  const int advance = QFontMetrics(letterFont).horizontalAdvance(text());
  if (advance > width() && letterFont.pixelSize() > 0) {
    letterFont.setStretch(std::max(1, 100 * width() / advance));
  }
  const QFontMetrics metrics(letterFont);
  painter.setFont(letterFont);
  painter.setPen(palette().color(QPalette::WindowText));
  const int baseline = (height() + metrics.capHeight()) / 2;
  const int x = (width() - metrics.horizontalAdvance(text())) / 2;
  painter.drawText(x, baseline, text());
}

}  // namespace verdal
