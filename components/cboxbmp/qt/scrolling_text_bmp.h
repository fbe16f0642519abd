// TScrollingTextBmp: a control that paints the labels and pictures of a hidden panel and
// moves them inside its rectangle.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

#include "common/colour.h"
#include "common/notify.h"
#include "components/cboxbmp/aiziet.h"
#include "components/cboxbmp/scroll_motion.h"

class QLabel;
class QMouseEvent;

namespace verdal {

// The integer tag every item carries for the motion, kept as a dynamic property.
inline constexpr char kItemTagProperty[] = "tag";
std::int32_t ItemTag(const QWidget& item);
void SetItemTag(QWidget& item, std::int32_t tag);

// How the control sees a child of its container: a QLabel holding a pixmap, or any widget with
// a non-null "pixmap" property, is a picture; other QLabels are text labels.
ItemKind KindOfItem(const QWidget& item);

class TScrollingTextBmp : public QWidget {
  Q_OBJECT

 public:
  using ScrollEvent =
      std::function<void(TScrollingTextBmp& sender, QWidget& comp, TcbScrollEvent screvent)>;
  using DrawEvent = std::function<void(TScrollingTextBmp& sender, QImage& bmp)>;
  using MouseEvent = std::function<void(TScrollingTextBmp& sender, QMouseEvent& event)>;

  explicit TScrollingTextBmp(QWidget* parent = nullptr);
  // Stops the worker and waits for it; a step already handed over never runs. A handler may
  // delete the control (OnScroll, a mouse event): the control touches nothing of itself after.
  ~TScrollingTextBmp() override;

  // The background colour; follows the parent's until set.
  Colour Color() const;
  void SetColor(Colour colour);

  TsDirection ScrollDirection() const { return scrollDirection_; }
  void SetScrollDirection(TsDirection direction) { scrollDirection_ = direction; }
  TsType ScrollType() const { return scrollType_; }
  void SetScrollType(TsType type) { scrollType_ = type; }
  std::int32_t TimeDelay() const { return timeDelay_; }
  void SetTimeDelay(std::int32_t ms) { timeDelay_ = ms; }
  const QPixmap& Bitmap() const { return bitmap_; }
  void SetBitmap(const QPixmap& picture);
  // The panel whose children are the items; not owned, forgotten when destroyed.
  QWidget* TextContainer() const { return container_; }
  void SetTextContainer(QWidget* panel);
  std::int32_t CompSpace() const { return compSpace_; }
  void SetCompSpace(std::int32_t gap);
  std::int32_t ScrollStep() const { return scrollStep_; }
  void SetScrollStep(std::int32_t step);
  // Stretch and Tile exclude each other: a write is ignored while the other is on.
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);
  bool Tile() const { return tile_; }
  void SetTile(bool on);

  void SetOnScroll(ScrollEvent handler) { onScroll_ = std::move(handler); }
  void SetOnDraw(DrawEvent handler) { onDraw_ = std::move(handler); }
  void SetOnClick(NotifyEvent<TScrollingTextBmp> handler) { onClick_ = std::move(handler); }
  void SetOnDblClick(NotifyEvent<TScrollingTextBmp> handler) { onDblClick_ = std::move(handler); }
  void SetOnMouseDown(MouseEvent handler) { onMouseDown_ = std::move(handler); }
  void SetOnMouseMove(MouseEvent handler) { onMouseMove_ = std::move(handler); }
  void SetOnMouseUp(MouseEvent handler) { onMouseUp_ = std::move(handler); }

  // Hides the container, puts the items at their start and starts the worker. Does nothing
  // without a container or once started (a stopped control stays where it stopped).
  void Start();
  // Asks the worker to stop and returns at once; a step it has already asked for still runs.
  void Stop();
  bool Started() const { return started_; }
  // One step of the motion, then a paint; the worker hands it to the UI thread, which reports
  // what it throws and goes on.
  void Step();

  // While another window covers the control its text costs nothing: the worker rests and
  // nothing is painted. Uncovered, the control takes at once the steps that its worker would
  // have run meanwhile (one per TimeDelay on AppClock(), as steps that paint nothing take no
  // time of their own), paints once and goes on.
  void SetCovered(bool covered);
  bool Covered() const { return covered_; }

  // The frame a paint shows, OnDraw included: background, then the visible items.
  QImage RenderFrame();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // The worker's queued call on the UI thread.
  Q_INVOKABLE void ServeStep();
  void StartWorker();
  // The steps the worker would have run since the text was covered (or last caught up), now
  // counted as run.
  std::int64_t StepsWhileCovered();
  // Runs steps of the motion without painting, noting the items before and after if asked;
  // false when a handler deleted the control.
  bool Move(std::int64_t steps, std::vector<ScrollItem>* before = nullptr,
            std::vector<ScrollItem>* after = nullptr);
  // Shows a step that moved every item by the same offset by scrolling what is on screen and
  // painting only the strip it uncovers; anything else is painted whole.
  void ShowStep(const std::vector<ScrollItem>& before, const std::vector<ScrollItem>& after);
  bool CanScrollContents() const;
  // An item's tag, read by name once and then taken from tags_, which forgets it when the
  // property changes or the item goes: looking a dynamic property up by name costs more
  // than the rest of a step.
  std::int32_t TagOf(QWidget& item);
  bool eventFilter(QObject* watched, QEvent* event) override;
  void DrawBackground(QPainter& painter) const;
  QImage& PaintFrame(const QRegion& area);
  ScrollSettings Settings() const;
  ScrollArea Area() const;

  QPixmap bitmap_;
  QImage frame_;
  QPointer<QWidget> container_;
  std::int32_t compSpace_ = 10;
  std::int32_t scrollStep_ = 1;
  std::int32_t timeDelay_ = 5;
  TsDirection scrollDirection_ = sdDown;
  TsType scrollType_ = stNormal;
  bool stretch_ = false;
  bool tile_ = false;
  bool started_ = false;
  bool stopped_ = false;
  bool covered_ = false;
  std::int64_t coveredAtMs_ = 0;
  std::int32_t workerDelayMs_ = 0;  // TimeDelay when started
  std::unordered_map<const QObject*, std::int32_t> tags_;
  ScrollEvent onScroll_;
  DrawEvent onDraw_;
  NotifyEvent<TScrollingTextBmp> onClick_;
  NotifyEvent<TScrollingTextBmp> onDblClick_;
  MouseEvent onMouseDown_;
  MouseEvent onMouseMove_;
  MouseEvent onMouseUp_;

  // The worker's requests are queued calls to this control: Qt discards those still queued
  // when the control goes, after its destructor has ended the worker.
  std::unique_ptr<TAiziet> worker_;
};

}  // namespace verdal
