// The message boxes the program shows, as one service, and the guard that every event
// handler body runs through so that no exception unwinds through the window system.
#pragma once

#include <exception>
#include <string>

#include "common/installed_service.h"

namespace verdal {

// Shows a message to the player and returns once it is acknowledged. The program
// installs message boxes titled "VERDAL"; tests install a recorder.
class Messages {
 public:
  virtual ~Messages() = default;
  virtual void Show(const std::string& text) = 0;
};

// Writes each message to the standard error stream: what a program with no window
// installed (a tool, a test that did not ask for messages) does with them.
class LoggedMessages final : public Messages {
 public:
  void Show(const std::string& text) override;
};

Messages& AppMessages();
// Installs messages (not owned); nullptr restores the logging default.
void InstallMessages(Messages* messages);

class ScopedMessages : public InstalledService<Messages>::Scope {
 public:
  explicit ScopedMessages(Messages& messages);
};

// Thrown by a wait whose window was closed under it: the operation in progress is
// given up. It is no error, so ReportErrors lets it pass silently.
class Abandoned : public std::exception {
 public:
  const char* what() const noexcept override { return "abandoned"; }
};

// Text of a caught exception for the player; "Erreur inconnue" for a non-standard one.
std::string ErrorText(std::exception_ptr error);

// Runs a handler's body; shows what it throws through AppMessages() (an Abandoned
// operation is dropped quietly). Returns whether the body ran to its end.
template <class Body>
bool ReportErrors(Body&& body) noexcept {
  try {
    body();
    return true;
  } catch (const Abandoned&) {
    return false;
  } catch (...) {
    const std::string text = ErrorText(std::current_exception());
    try {
      AppMessages().Show(text);
    } catch (...) {
      // A message box that fails has nowhere left to report to.
    }
    return false;
  }
}

}  // namespace verdal
