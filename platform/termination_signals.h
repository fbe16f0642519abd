// Termination requests from the desktop (SIGTERM at the session's end, SIGINT, SIGHUP)
// turned into an orderly end of the message loop, so that the way out restores what the
// program changed on the desktop.
#pragma once

#include <QObject>
#include <csignal>
#include <functional>

class QSocketNotifier;

namespace verdal {

// While it lives, the three signals reach onSignal on the user-interface thread (with the
// signal's number) instead of killing the process. One at a time.
class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  explicit TerminationSignals(std::function<void(int signal)> onSignal);
  ~TerminationSignals() override;
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // Hands the signals still waiting to onSignal now. One that came while no message loop
  // ran (a fade holds the thread during start-up) has not reached it yet, though the sleeps
  // of the machine's clock already give up (Abandoned).
  void DeliverPending();

 private:
  std::function<void(int)> onSignal_;
  QSocketNotifier* notifier_ = nullptr;
  struct sigaction previous_[3];
};

}  // namespace verdal
