// A cell of a board, of a proposal row or of a point box: a plain square with a letter.
#pragma once

#include <QColor>
#include <QLabel>

namespace verdal {

// Capitals sit in the middle of the cell: centring the font's whole line, descent included,
// would leave them high in the small cells of the 7- and 8-letter boards.
class LetterCell : public QLabel {
 public:
  explicit LetterCell(QWidget* parent);

  void SetColour(const QColor& colour);
  QColor Colour() const { return palette().color(QPalette::Window); }
  void SetTextColour(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace verdal
