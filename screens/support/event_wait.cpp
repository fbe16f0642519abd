// The waits' nested loops and the run whose end reaches them all.
#include "screens/support/event_wait.h"

#include <QCoreApplication>
#include <QTimer>
#include <stdexcept>
#include <utility>

namespace verdal {
namespace {

ApplicationRun* currentRun = nullptr;
// The loop of the wait that runs innermost, any wait's: waits nest on the one thread.
QEventLoop* innermostWait = nullptr;

}  // namespace

ApplicationRun::ApplicationRun() {
  if (currentRun) throw std::logic_error("ApplicationRun: one at a time");
  currentRun = this;
}

ApplicationRun::~ApplicationRun() { currentRun = nullptr; }

void ApplicationRun::End(int status) {
  if (!currentRun) return;
  if (!std::exchange(currentRun->ending_, true)) currentRun->status_ = status;
  // The innermost wait ends the one outside it, and so on down to the message loop.
  if (innermostWait) innermostWait->quit();
  if (currentRun->looping_) QCoreApplication::exit(currentRun->status_);
}

bool ApplicationRun::Ending() { return currentRun && currentRun->ending_; }

int ApplicationRun::Exec() {
  if (ending_) return status_;
  looping_ = true;
  const int status = QCoreApplication::exec();
  looping_ = false;
  return status;
}

void EventWait::EndOn(QObject& object, QEvent::Type type) {
  watched_.push_back({&object, type});
  object.installEventFilter(this);
}

bool EventWait::Run(int timeoutMs, QEventLoop::ProcessEventsFlags flags) {
  if (ApplicationRun::Ending()) return false;
  if (timeoutMs == 0) {
    // A pass: what is pending, a termination request's notice included.
    QCoreApplication::processEvents(flags);
    return !ApplicationRun::Ending();
  }
  QEventLoop loop;
  QTimer timer;
  if (timeoutMs > 0) {
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, &EventWait::End);
    timer.start(timeoutMs);
  }
  ended_ = false;
  QEventLoop* const outerOfThis = std::exchange(loop_, &loop);
  QEventLoop* const outer = std::exchange(innermostWait, &loop);
  loop.exec(flags);
  innermostWait = outer;
  loop_ = outerOfThis;
  if (outer && ApplicationRun::Ending()) outer->quit();
  if (loop_ && ended_) loop_->quit();
  // Nothing but End and the application's end quits the loop (QCoreApplication::exit from
  // elsewhere, a test's watchdog, counts as the latter).
  return ended_ && !ApplicationRun::Ending();
}

void EventWait::End() {
  ended_ = true;
  if (loop_) loop_->quit();
}

bool EventWait::eventFilter(QObject* watched, QEvent* event) {
  for (const Watched& w : watched_) {
    if (w.object == watched && w.type == event->type()) End();
  }
  return false;
}

}  // namespace verdal
