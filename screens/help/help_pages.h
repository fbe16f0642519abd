// The texts of the help window's three pages, in French.
#pragma once

#include <QString>

namespace verdal {

// The welcome page, line by line; it ends with the makers' mail address.
QString WelcomePageText();
// The rules of the game.
QString RulesPageText();
// The buttons and the settings.
QString CommandsPageText();

}  // namespace verdal
