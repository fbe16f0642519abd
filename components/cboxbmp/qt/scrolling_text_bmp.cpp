// TScrollingTextBmp: painting, properties and the hand-over of the worker's steps.
#include "components/cboxbmp/qt/scrolling_text_bmp.h"

#include <QDynamicPropertyChangeEvent>
#include <QLabel>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QStyle>
#include <QVariant>
#include <algorithm>
#include <functional>
#include <vector>

#include "common/clock.h"

namespace verdal {

namespace {

QColor ToQColor(Colour c) {
  const Colour rgb = ResolveColour(c);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

QPixmap PictureOf(const QWidget& item) {
  if (const auto* label = qobject_cast<const QLabel*>(&item)) return label->pixmap();
  const QVariant value = item.property("pixmap");
  return value.canConvert<QPixmap>() ? value.value<QPixmap>() : QPixmap();
}

// An item counts as visible unless it was hidden itself: the container is always hidden.
bool ItemVisible(const QWidget& item) {
  return !(item.isHidden() && item.testAttribute(Qt::WA_WState_ExplicitShowHide));
}

// Calls a copy of an event handler: a handler that assigns the event anew would otherwise
// destroy the callable it is running in.
template <typename Handler, typename... Args>
void CallHandler(const Handler& handler, Args&... args) {
  if (const Handler copy = handler) copy(args...);
}

int HorizontalFlag(Qt::Alignment alignment) {
  const Qt::Alignment h = QStyle::visualAlignment(Qt::LeftToRight, alignment);
  if (h & Qt::AlignRight) return Qt::AlignRight;
  if (h & Qt::AlignHCenter) return Qt::AlignHCenter;
  return Qt::AlignLeft;
}

// Text from the top of the label's rectangle, cut at its edges; "&" underlines the next
// character as an access key and "&&" shows one ampersand.
void DrawLabel(QPainter& painter, const QLabel& label) {
  const QString text = label.text();
  if (text.isEmpty()) return;
  painter.setFont(label.font());
  painter.setPen(label.palette().color(label.foregroundRole()));
  if (label.autoFillBackground()) {
    // An opaque label fills the cells behind its characters only, not its whole rectangle.
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(label.palette().color(label.backgroundRole()));
  } else {
    painter.setBackgroundMode(Qt::TransparentMode);
  }
  const int flags = Qt::AlignTop | Qt::TextShowMnemonic | HorizontalFlag(label.alignment()) |
                    (label.wordWrap() ? Qt::TextWordWrap : 0);
  painter.drawText(label.geometry(), flags, text);
}

}  // namespace

std::int32_t ItemTag(const QWidget& item) { return item.property(kItemTagProperty).toInt(); }

void SetItemTag(QWidget& item, std::int32_t tag) { item.setProperty(kItemTagProperty, tag); }

ItemKind KindOfItem(const QWidget& item) {
  if (!PictureOf(item).isNull()) return ItemKind::Picture;
  if (qobject_cast<const QLabel*>(&item)) return ItemKind::Label;
  if (item.property("pixmap").isValid()) return ItemKind::Picture;
  return ItemKind::Other;
}

TScrollingTextBmp::TScrollingTextBmp(QWidget* parent) : QWidget(parent) {
  resize(161, 129);
  setMouseTracking(true);
  // Every paint covers the whole rectangle, so Qt need not clear it first.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

TScrollingTextBmp::~TScrollingTextBmp() { worker_.reset(); }

Colour TScrollingTextBmp::Color() const {
  const QColor c = palette().color(QPalette::Window);
  return RgbColour(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                   static_cast<std::uint8_t>(c.blue()));
}

void TScrollingTextBmp::SetColor(Colour colour) {
  QPalette p = palette();
  p.setColor(QPalette::Window, ToQColor(colour));
  setPalette(p);
  update();
}

void TScrollingTextBmp::SetBitmap(const QPixmap& picture) {
  bitmap_ = picture;
  repaint();
}

void TScrollingTextBmp::SetTextContainer(QWidget* panel) {
  container_ = panel;
  if (panel) panel->resize(size());
  repaint();
}

void TScrollingTextBmp::SetCompSpace(std::int32_t gap) {
  compSpace_ = gap;
  update();
}

void TScrollingTextBmp::SetScrollStep(std::int32_t step) {
  scrollStep_ = step;
  update();
}

void TScrollingTextBmp::SetStretch(bool on) {
  if (tile_ || on == stretch_) return;
  stretch_ = on;
  repaint();
}

void TScrollingTextBmp::SetTile(bool on) {
  if (stretch_ || on == tile_) return;
  tile_ = on;
  repaint();
}

ScrollSettings TScrollingTextBmp::Settings() const {
  return {scrollType_, scrollDirection_, scrollStep_, compSpace_};
}

ScrollArea TScrollingTextBmp::Area() const {
  return {container_ ? container_->width() : 0, container_ ? container_->height() : 0, width(),
          height()};
}

namespace {

// The container's items in child order: its child widgets, windows of their own excepted.
std::vector<QWidget*> ItemWidgets(const QWidget& container) {
  std::vector<QWidget*> widgets;
  for (QObject* child : container.children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w && !w->isWindow()) widgets.push_back(w);
  }
  return widgets;
}

using TagReader = std::function<std::int32_t(QWidget&)>;

ScrollItem ItemOf(QWidget& w, const TagReader& tagOf) {
  return {KindOfItem(w), ItemVisible(w), w.x(), w.y(), w.width(), w.height(), tagOf(w)};
}

void ReadItems(const QWidget& container, const TagReader& tagOf,
               std::vector<QPointer<QWidget>>& widgets, std::vector<ScrollItem>& items) {
  for (QWidget* w : ItemWidgets(container)) {
    widgets.emplace_back(w);
    items.push_back(ItemOf(*w, tagOf));
  }
}

// Writes what changed since the items were read.
void WriteItems(const std::vector<QPointer<QWidget>>& widgets, const std::vector<ScrollItem>& items,
                const std::vector<ScrollItem>& read) {
  for (std::size_t i = 0; i < widgets.size(); ++i) {
    QWidget* w = widgets[i];
    if (!w) continue;
    if (w->x() != items[i].left || w->y() != items[i].top) w->move(items[i].left, items[i].top);
    if (items[i].tag != read[i].tag) SetItemTag(*w, items[i].tag);
  }
}

// Takes back what a handler may have changed (positions, tags) before the pass goes on.
void RereadItems(const std::vector<QPointer<QWidget>>& widgets, const TagReader& tagOf,
                 std::vector<ScrollItem>& items) {
  for (std::size_t i = 0; i < widgets.size(); ++i) {
    if (QWidget* w = widgets[i]) items[i] = ItemOf(*w, tagOf);
  }
}

// Where a paint draws the item: a label within its rectangle, a picture at its own size.
QRect PaintedRect(const QWidget& item) {
  const QPixmap picture = PictureOf(item);
  return picture.isNull() ? item.geometry()
                          : QRect(item.pos(), picture.deviceIndependentSize().toSize());
}

// Rectangles closer than a few lines of text taken together: each rectangle scrolled costs the
// program about as much as the X server's copy of such a gap.
std::vector<QRect> MergeNear(std::vector<QRect> rects) {
  constexpr int kGap = 32;
  for (bool merged = true; merged;) {
    merged = false;
    for (std::size_t i = 0; i < rects.size() && !merged; ++i) {
      for (std::size_t j = i + 1; j < rects.size() && !merged; ++j) {
        if (!rects[i].adjusted(-kGap, -kGap, kGap, kGap).intersects(rects[j])) continue;
        rects[i] |= rects[j];
        rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(j));
        merged = true;
      }
    }
  }
  return rects;
}

}  // namespace

void TScrollingTextBmp::Start() {
  if (!container_ || started_) return;
  container_->hide();
  std::vector<QPointer<QWidget>> widgets;
  std::vector<ScrollItem> items;
  ReadItems(
      *container_, [this](QWidget& w) { return TagOf(w); }, widgets, items);
  const std::vector<ScrollItem> read = items;
  PrepareScroll(items, Settings(), Area());
  WriteItems(widgets, items, read);
  started_ = true;
  workerDelayMs_ = timeDelay_;
  if (covered_) {
    coveredAtMs_ = AppClock().NowMs();
  } else {
    StartWorker();
  }
}

void TScrollingTextBmp::StartWorker() {
  // The worker paces real time on a clock of its own. A clock installed by a test belongs to
  // the test, which may end it while the text still scrolls; and a manual clock never waits,
  // so a worker sleeping on one would step flat out and move the test's time from its thread.
  // Tests step the control themselves instead.
  //
  // Each request is a queued call by name. Qt builds a named call inside its own library; a
  // functor's call object would be built here on the worker thread and read on the UI thread
  // before ServeStep takes the worker's lock, an order the thread checker cannot see (Qt's
  // queue lock is invisible to it).
  worker_ = std::make_unique<TAiziet>(
      workerDelayMs_, std::make_shared<SystemClock>(), [this] { Step(); },
      [this] { QMetaObject::invokeMethod(this, "ServeStep", Qt::QueuedConnection); });
}

void TScrollingTextBmp::ServeStep() {
  if (worker_) worker_->ServeStep();
}

void TScrollingTextBmp::Stop() {
  if (worker_) worker_->RequestStop();
  if (covered_ && started_ && !stopped_) {
    // The text stops where the worker would have left it.
    const std::int64_t steps = StepsWhileCovered();
    stopped_ = true;
    Move(steps);
    return;
  }
  stopped_ = true;
}

std::int64_t TScrollingTextBmp::StepsWhileCovered() {
  const std::int64_t now = AppClock().NowMs();
  const std::int64_t steps = (now - coveredAtMs_) / std::max(workerDelayMs_, 1);
  coveredAtMs_ = now;
  return steps;
}

void TScrollingTextBmp::SetCovered(bool covered) {
  if (covered == covered_) return;
  covered_ = covered;
  if (covered) {
    coveredAtMs_ = AppClock().NowMs();
    // A step the worker has asked for is dropped: the catch-up counts it.
    worker_.reset();
    return;
  }
  const QPointer<TScrollingTextBmp> alive(this);
  if (started_ && !stopped_) {
    if (!Move(StepsWhileCovered())) return;
    StartWorker();
  }
  if (alive) update();
}

std::int32_t TScrollingTextBmp::TagOf(QWidget& item) {
  if (const auto known = tags_.find(&item); known != tags_.end()) return known->second;
  const std::int32_t tag = ItemTag(item);
  tags_.emplace(&item, tag);
  item.installEventFilter(this);
  connect(&item, &QObject::destroyed, this, [this](QObject* gone) { tags_.erase(gone); });
  return tag;
}

bool TScrollingTextBmp::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::DynamicPropertyChange &&
      static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == kItemTagProperty) {
    tags_.erase(watched);
  }
  return QWidget::eventFilter(watched, event);
}

bool TScrollingTextBmp::Move(std::int64_t steps, std::vector<ScrollItem>* before,
                             std::vector<ScrollItem>* after) {
  if (!container_ || steps <= 0) return true;
  std::vector<QPointer<QWidget>> widgets;
  std::vector<ScrollItem> items;
  const TagReader tagOf = [this](QWidget& w) { return TagOf(w); };
  ReadItems(*container_, tagOf, widgets, items);
  std::vector<ScrollItem> read = items;
  if (before) *before = items;
  ScrollReport report;
  // A handler that deletes the control ends the motion: nothing of the control is touched
  // after.
  const QPointer<TScrollingTextBmp> alive(this);
  if (onScroll_) {
    // The handler sees the items where this pass has put them so far.
    report = [&](std::size_t i, TcbScrollEvent edge) {
      if (!alive || !onScroll_ || !widgets[i]) return;
      WriteItems(widgets, items, read);
      CallHandler(onScroll_, *this, *widgets[i], edge);
      if (!alive) return;
      RereadItems(widgets, tagOf, items);
      read = items;
    };
  }
  for (std::int64_t i = 0; i < steps; ++i) {
    StepScroll(items, Settings(), Area(), report);
    if (!alive) return false;
  }
  WriteItems(widgets, items, read);
  if (after) *after = std::move(items);
  return true;
}

void TScrollingTextBmp::Step() {
  if (!container_) return;
  std::vector<ScrollItem> before, after;
  if (!Move(1, &before, &after) || covered_) return;
  ShowStep(before, after);
}

bool TScrollingTextBmp::CanScrollContents() const {
  // A picture behind the text stays put while the text moves, and OnDraw may draw anything
  // anywhere: both need whole frames.
  return bitmap_.width() == 0 && !onDraw_ && testAttribute(Qt::WA_OpaquePaintEvent);
}

void TScrollingTextBmp::ShowStep(const std::vector<ScrollItem>& before,
                                 const std::vector<ScrollItem>& after) {
  bool uniform = CanScrollContents() && before.size() == after.size() && !after.empty();
  const int dx = uniform ? after[0].left - before[0].left : 0;
  const int dy = uniform ? after[0].top - before[0].top : 0;
  for (std::size_t i = 0; uniform && i < after.size(); ++i) {
    const ScrollItem& a = before[i];
    const ScrollItem& b = after[i];
    uniform = a.kind == b.kind && a.visible == b.visible && a.width == b.width &&
              a.height == b.height && b.left - a.left == dx && b.top - a.top == dy;
  }
  if (!uniform || std::abs(dx) >= width() || std::abs(dy) >= height()) {
    repaint();
    return;
  }
  if (dx == 0 && dy == 0) return;
  // Only the pixels the items cover, where they were and where they went, are moved (the
  // rest is background before and after): moving the gaps between the lines as well would
  // have the X server copy the whole area twice per step (its pixmap, then the window). Each
  // rectangle's uncovered strip is painted, the same pixels a whole frame would show there,
  // and at once, so that the move and the strips reach the server in one flush per step.
  std::vector<QRect> moved;
  for (QWidget* w : ItemWidgets(*container_)) {
    if (!ItemVisible(*w)) continue;
    const QRect painted = PaintedRect(*w);
    const QRect r = (painted | painted.translated(-dx, -dy)) & rect();
    if (!r.isEmpty()) moved.push_back(r);
  }
  QRegion uncovered;
  for (const QRect& r : MergeNear(std::move(moved))) {
    scroll(dx, dy, r);
    uncovered += QRegion(r) - QRegion(r.translated(dx, dy) & r);
  }
  repaint(uncovered);
}

void TScrollingTextBmp::DrawBackground(QPainter& painter) const {
  if (bitmap_.width() == 0) {
    painter.fillRect(rect(), ToQColor(Color()));
  } else if (stretch_) {
    painter.drawPixmap(rect(), bitmap_);
  } else if (tile_) {
    painter.drawTiledPixmap(rect(), bitmap_);
  } else {
    painter.drawPixmap(0, 0, bitmap_);
  }
}

QImage& TScrollingTextBmp::PaintFrame(const QRegion& area) {
  // Each paint starts from a white frame; the buffer is kept only to spare an allocation
  // and its page faults at every step. Only the area asked for is drawn and shown.
  if (frame_.size() != size()) frame_ = QImage(size(), QImage::Format_RGB32);
  const bool backgroundCoversFrame =
      bitmap_.width() == 0 || (stretch_ && !bitmap_.hasAlphaChannel());
  {
    QPainter painter(&frame_);
    if (area != QRegion(rect())) painter.setClipRegion(area);
    if (!backgroundCoversFrame) painter.fillRect(area.boundingRect(), Qt::white);
    DrawBackground(painter);
    if (container_) {
      for (QWidget* w : ItemWidgets(*container_)) {
        if (!ItemVisible(*w) || !area.intersects(PaintedRect(*w))) continue;
        if (const QPixmap picture = PictureOf(*w); !picture.isNull()) {
          painter.drawPixmap(w->x(), w->y(), picture);
        } else if (const auto* label = qobject_cast<const QLabel*>(w)) {
          DrawLabel(painter, *label);
        }
      }
    }
  }
  CallHandler(onDraw_, *this, frame_);
  return frame_;
}

QImage TScrollingTextBmp::RenderFrame() { return PaintFrame(QRegion(rect())); }

void TScrollingTextBmp::paintEvent(QPaintEvent* event) {
  // OnDraw is handed the whole frame, as it may draw anywhere.
  const QRegion area = onDraw_ ? QRegion(rect()) : event->region() & rect();
  QPainter painter(this);
  const QImage& frame = PaintFrame(area);
  for (const QRect& r : area) painter.drawImage(r, frame, r);
}

void TScrollingTextBmp::mousePressEvent(QMouseEvent* event) {
  CallHandler(onMouseDown_, *this, *event);
}

void TScrollingTextBmp::mouseMoveEvent(QMouseEvent* event) {
  CallHandler(onMouseMove_, *this, *event);
}

void TScrollingTextBmp::mouseReleaseEvent(QMouseEvent* event) {
  const QPointer<TScrollingTextBmp> alive(this);
  CallHandler(onMouseUp_, *this, *event);
  if (alive && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    CallHandler(onClick_, *this);
  }
}

void TScrollingTextBmp::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPointer<TScrollingTextBmp> alive(this);
  CallHandler(onDblClick_, *this);
  if (alive) QWidget::mouseDoubleClickEvent(event);
}

}  // namespace verdal
