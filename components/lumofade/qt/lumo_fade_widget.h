// LumoFadeWidget: the fade picture control on a Qt screen, painting the core's display image.
#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

#include "components/lumofade/lumo_fade.h"

namespace verdal {

// Wraps a work image's pixel run as a QImage, without copying; valid while the image keeps
// its size.
QImage WrapWorkImage(const WorkImage& image);

class LumoFadeWidget : public QWidget, private LumoFadeSurface {
  Q_OBJECT

 public:
  explicit LumoFadeWidget(QWidget* parent = nullptr);
  // May run inside one of the control's transitions (a handler deleted the widget): the
  // control then outlives the widget until the transition has returned.
  ~LumoFadeWidget() override;

  // The control itself: properties, pictures, transitions. Move and size the control through
  // it or through the widget; either way the other follows and the images are rebuilt. Qt
  // holds back the move and resize events of a hidden widget until it is shown, so a
  // geometry set meanwhile reaches the control here, before anything reads or runs it.
  TLumoFade& Fade() {
    FollowGeometry();
    return *fade_;
  }
  const TLumoFade& Fade() const { return *fade_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void BoundsChanged(int left, int top, int width, int height) override;
  void RequestRepaint() override { update(); }
  void RepaintNow() override { repaint(); }
  void RepaintPartNow(const PixelRect& area) override;
  void DrawNow(const WorkImage& image) override;
  void ProcessMessages() override;
  void FollowGeometry();
  void FollowGeometryInEvent();

  std::unique_ptr<TLumoFade> fade_ = std::make_unique<TLumoFade>();
  // Set only while a stopped transition shows its target image in place of the display image.
  const WorkImage* shownInstead_ = nullptr;
};

}  // namespace verdal
