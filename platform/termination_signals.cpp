// Signals through a pipe to the message loop: a handler may only write a byte.
#include "platform/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <stdexcept>

#include "common/clock.h"

namespace verdal {
namespace {

constexpr int kSignals[3] = {SIGTERM, SIGINT, SIGHUP};
int pipeEnds[2] = {-1, -1};

void OnSignal(int signal) {
  const int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(signal);
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
  // A fade or a pause that holds the thread gives up now rather than when it would have ended.
  MachineClock().Interrupt();
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> onSignal)
    : onSignal_(std::move(onSignal)) {
  if (pipeEnds[0] >= 0) throw std::logic_error("TerminationSignals: one at a time");
  if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
    throw std::runtime_error("TerminationSignals: no pipe");
  }
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::DeliverPending);
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &action, &previous_[i]);
}

TerminationSignals::~TerminationSignals() {
  for (int i = 0; i < 3; ++i) sigaction(kSignals[i], &previous_[i], nullptr);
  delete notifier_;
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
  pipeEnds[0] = pipeEnds[1] = -1;
  MachineClock().Resume();
}

void TerminationSignals::DeliverPending() {
  unsigned char byte = 0;
  while (::read(pipeEnds[0], &byte, 1) == 1) {
    if (onSignal_) onSignal_(byte);
  }
}

}  // namespace verdal
