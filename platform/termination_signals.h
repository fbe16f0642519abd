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

  // The last signal handed to onSignal, or 0; one still waiting is handed over first. A
  // signal that came while no message loop ran (during start-up) must still end the program
  // once start-up is over. Meanwhile the sleeps of the machine's clock give up (Abandoned).
  int Delivered();

 private:
  void Deliver();

  std::function<void(int)> onSignal_;
  int delivered_ = 0;
  QSocketNotifier* notifier_ = nullptr;
  struct sigaction previous_[3];
};

}  // namespace verdal
