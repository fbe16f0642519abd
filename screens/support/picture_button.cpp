// A picture used as a button.
#include "screens/support/picture_button.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace verdal {

PictureButton::PictureButton(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  setMouseTracking(true);
}

void PictureButton::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  if (click) emit clicked();
}

void PictureButton::mouseMoveEvent(QMouseEvent*) { emit mouseMoved(); }

void PictureButton::paintEvent(QPaintEvent* event) {
  if (pixmap().isNull()) {
    QLabel::paintEvent(event);
    return;
  }
  // QLabel would grey a disabled picture; the picture is drawn as it is instead.
  QPainter painter(this);
  style()->drawItemPixmap(&painter, contentsRect(), alignment(), pixmap());
}

}  // namespace verdal
