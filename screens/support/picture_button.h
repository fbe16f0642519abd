// A picture used as a button: hand pointer, a click, and mouse moves over it (which
// the screens use to name the button in the label beside it). A disabled button
// receives no mouse events, so it neither clicks nor names itself, yet it keeps its
// picture: the screens disable their quit and help images at times without a change
// of look.
#pragma once

#include <QLabel>

namespace verdal {

class PictureButton : public QLabel {
  Q_OBJECT

 public:
  explicit PictureButton(QWidget* parent = nullptr);

 signals:
  void clicked();
  void mouseMoved();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool pressed_ = false;
};

}  // namespace verdal
