// LumoFadeWidget: painting, bounds and mouse notifications between Qt and the control.
#include "components/lumofade/qt/lumo_fade_widget.h"

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QtGlobal>
#include <exception>

namespace verdal {

QImage WrapWorkImage(const WorkImage& image) {
  return QImage(image.Bits().data(), image.Width(), image.Height(), image.RowSize(),
                QImage::Format_BGR888);
}

LumoFadeWidget::LumoFadeWidget(QWidget* parent) : QWidget(parent) {
  // The control covers every pixel of its rectangle: nothing needs painting behind it.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  fade_->SetSurface(this);
  setGeometry(fade_->Left(), fade_->Top(), fade_->Width(), fade_->Height());
}

LumoFadeWidget::~LumoFadeWidget() { TLumoFade::Dispose(std::move(fade_)); }

void LumoFadeWidget::paintEvent(QPaintEvent* event) {
  const WorkImage& image = shownInstead_ ? *shownInstead_ : fade_->DisplayImage();
  if (image.Width() == 0 || image.Height() == 0) return;
  const QRect area = event->rect() & QRect(0, 0, image.Width(), image.Height());
  if (area.isEmpty()) return;
  QPainter painter(this);
  painter.drawImage(area.topLeft(), WrapWorkImage(image), area);
}

void LumoFadeWidget::moveEvent(QMoveEvent* event) {
  FollowGeometryInEvent();
  QWidget::moveEvent(event);
}

void LumoFadeWidget::resizeEvent(QResizeEvent* event) {
  FollowGeometryInEvent();
  QWidget::resizeEvent(event);
}

void LumoFadeWidget::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  fade_->MouseEnter();
}

void LumoFadeWidget::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  fade_->MouseLeave();
}

void LumoFadeWidget::FollowGeometry() {
  const QRect g = geometry();
  fade_->SetBounds(g.x(), g.y(), g.width(), g.height());
}

void LumoFadeWidget::FollowGeometryInEvent() {
  // Exceptions must not unwind through Qt; a rebuild only fails when memory runs out.
  try {
    FollowGeometry();
  } catch (const std::exception& e) {
    qWarning("LumoFadeWidget: %s", e.what());
  }
}

void LumoFadeWidget::BoundsChanged(int left, int top, int width, int height) {
  // Qt sends the move and resize events at once for a visible widget; they find the control
  // already at these bounds and do nothing.
  setGeometry(left, top, width, height);
}

void LumoFadeWidget::RepaintPartNow(const PixelRect& area) {
  // A frame that changes nothing still paints one pixel: every frame reaches the screen at
  // its time, as a paint of the control.
  repaint(area.Empty() ? QRect(0, 0, 1, 1) : QRect(area.left, area.top, area.width, area.height));
}

void LumoFadeWidget::DrawNow(const WorkImage& image) {
  shownInstead_ = &image;
  repaint();
  shownInstead_ = nullptr;
}

void LumoFadeWidget::ProcessMessages() { QCoreApplication::processEvents(); }

}  // namespace verdal
