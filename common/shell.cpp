// The installed "open" action and its logging default.
#include "common/shell.h"

#include <iostream>

namespace verdal {
namespace {
LoggedShell loggedShell;
constinit InstalledService<Shell> installedShell(loggedShell);
}  // namespace

void LoggedShell::Open(const std::string& address) { std::cerr << "VERDAL: " << address << '\n'; }

Shell& AppShell() { return installedShell.Get(); }

void InstallShell(Shell* shell) { installedShell.Install(shell); }

ScopedShell::ScopedShell(Shell& shell) : Scope(installedShell, shell) {}

}  // namespace verdal
