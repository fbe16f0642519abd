// TScrollingTextBmp: painting, properties and the hand-over of the worker's steps.
#include "components/cboxbmp/qt/scrolling_text_bmp.h"

#include <QLabel>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QVariant>
#include <vector>

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

ScrollItem ItemOf(const QWidget& w) {
  return {KindOfItem(w), ItemVisible(w), w.x(), w.y(), w.width(), w.height(), ItemTag(w)};
}

void ReadItems(const QWidget& container, std::vector<QPointer<QWidget>>& widgets,
               std::vector<ScrollItem>& items) {
  for (QWidget* w : ItemWidgets(container)) {
    widgets.emplace_back(w);
    items.push_back(ItemOf(*w));
  }
}

void WriteItems(const std::vector<QPointer<QWidget>>& widgets,
                const std::vector<ScrollItem>& items) {
  for (std::size_t i = 0; i < widgets.size(); ++i) {
    QWidget* w = widgets[i];
    if (!w) continue;
    if (w->x() != items[i].left || w->y() != items[i].top) w->move(items[i].left, items[i].top);
    if (ItemTag(*w) != items[i].tag) SetItemTag(*w, items[i].tag);
  }
}

// Takes back what a handler may have changed (positions, tags) before the pass goes on.
void RereadItems(const std::vector<QPointer<QWidget>>& widgets, std::vector<ScrollItem>& items) {
  for (std::size_t i = 0; i < widgets.size(); ++i) {
    if (const QWidget* w = widgets[i]) items[i] = ItemOf(*w);
  }
}

}  // namespace

void TScrollingTextBmp::Start() {
  if (!container_ || started_) return;
  container_->hide();
  std::vector<QPointer<QWidget>> widgets;
  std::vector<ScrollItem> items;
  ReadItems(*container_, widgets, items);
  PrepareScroll(items, Settings(), Area());
  WriteItems(widgets, items);
  started_ = true;
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
      timeDelay_, std::make_shared<SystemClock>(), [this] { Step(); },
      [this] { QMetaObject::invokeMethod(this, "ServeStep", Qt::QueuedConnection); });
}

void TScrollingTextBmp::ServeStep() {
  if (worker_) worker_->ServeStep();
}

void TScrollingTextBmp::Stop() {
  if (worker_) worker_->RequestStop();
}

void TScrollingTextBmp::Step() {
  if (!container_) return;
  std::vector<QPointer<QWidget>> widgets;
  std::vector<ScrollItem> items;
  ReadItems(*container_, widgets, items);
  ScrollReport report;
  // A handler that deletes the control ends the step: nothing of the control is touched after.
  const QPointer<TScrollingTextBmp> alive(this);
  if (onScroll_) {
    // The handler sees the items where this pass has put them so far.
    report = [&](std::size_t i, TcbScrollEvent edge) {
      if (!alive || !onScroll_ || !widgets[i]) return;
      WriteItems(widgets, items);
      CallHandler(onScroll_, *this, *widgets[i], edge);
      if (alive) RereadItems(widgets, items);
    };
  }
  StepScroll(items, Settings(), Area(), report);
  if (!alive) return;
  WriteItems(widgets, items);
  repaint();
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

QImage& TScrollingTextBmp::PaintFrame() {
  // Each paint starts from a white frame; the buffer is kept only to spare an allocation
  // and its page faults at every step.
  if (frame_.size() != size()) frame_ = QImage(size(), QImage::Format_RGB32);
  const bool backgroundCoversFrame =
      bitmap_.width() == 0 || (stretch_ && !bitmap_.hasAlphaChannel());
  if (!backgroundCoversFrame) frame_.fill(Qt::white);
  {
    QPainter painter(&frame_);
    DrawBackground(painter);
    if (container_) {
      for (QWidget* w : ItemWidgets(*container_)) {
        if (!ItemVisible(*w)) continue;
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

QImage TScrollingTextBmp::RenderFrame() { return PaintFrame(); }

void TScrollingTextBmp::paintEvent(QPaintEvent*) { QPainter(this).drawImage(0, 0, PaintFrame()); }

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
