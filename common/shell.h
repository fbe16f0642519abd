// The desktop's "open" action for a web page or a mail link, as an installed service:
// the program installs the desktop's own, tests install a recorder.
#pragma once

#include <string>

#include "common/installed_service.h"

namespace verdal {

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens an address ("https://...", "mailto:...") with the user's preferred program,
  // without waiting for it.
  virtual void Open(const std::string& address) = 0;
};

// What a program with no desktop installed does: nothing but a line on the error stream.
class LoggedShell final : public Shell {
 public:
  void Open(const std::string& address) override;
};

Shell& AppShell();
void InstallShell(Shell* shell);

class ScopedShell : public InstalledService<Shell>::Scope {
 public:
  explicit ScopedShell(Shell& shell);
};

}  // namespace verdal
