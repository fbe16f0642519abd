// The installed message service, its logging default and the text of caught errors.
#include "common/messages.h"

#include <iostream>

namespace verdal {
namespace {
LoggedMessages loggedMessages;
constinit InstalledService<Messages> installedMessages(loggedMessages);
}  // namespace

void LoggedMessages::Show(const std::string& text) { std::cerr << "VERDAL: " << text << '\n'; }

Messages& AppMessages() { return installedMessages.Get(); }

void InstallMessages(Messages* messages) { installedMessages.Install(messages); }

ScopedMessages::ScopedMessages(Messages& messages) : Scope(installedMessages, messages) {}

std::string ErrorText(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Erreur inconnue";
  }
}

}  // namespace verdal
