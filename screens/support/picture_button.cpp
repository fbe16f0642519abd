// A picture used as a button.
#include "screens/support/picture_button.h"

#include <QMouseEvent>

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

}  // namespace verdal
