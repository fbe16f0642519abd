// The program's run: the display check, the splash, the screens created once in their
// order, the message loop, and the way out.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace verdal {

inline constexpr char kWrongDisplayMessage[] = "Relancez VERDAL en 800x600, Merci!!";

// Makes one screen and runs its creation work, reporting an error of that work itself.
using ScreenMaker = std::function<std::unique_ptr<QWidget>()>;
using Screens = std::vector<std::unique_ptr<QWidget>>;

// The screens, welcome screen first, as the program makes them: each present screen
// library adds its own.
std::vector<ScreenMaker> ProgramScreens();

// Everything before the message loop. Returns nothing when the desktop is not 800x600
// (after saying so, with no window made and no file read). Any error that no creation
// work caught ends the splash and leaves through the exception.
std::optional<Screens> StartUp(const std::vector<ScreenMaker>& makers);

// The whole run on an existing QApplication; returns the exit status. The task bar is
// restored on every way out: quit, the main window closed, a start-up error, a
// termination signal (whose status is 128 plus its number).
int RunProgram(const std::vector<ScreenMaker>& makers);

}  // namespace verdal
