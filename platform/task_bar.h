// The system task bar: hidden while the game's screens cover the desktop, restored on the way out.
#pragma once

#include <QCoreApplication>
#include <QVariant>

#include "common/installed_service.h"

namespace verdal {

// The state is published on the application object, so that a screen can follow it
// without linking this library: shown screens take it from there.
inline constexpr char kTaskBarHiddenProperty[] = "verdalTaskBarHidden";
// Marks the top-level windows that cover the whole desktop (welcome, set-up, game).
inline constexpr char kFullScreenProperty[] = "verdalFullScreen";

inline bool TaskBarHidden() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app && app->property(kTaskBarHiddenProperty).toBool();
}

class TaskBar {
 public:
  virtual ~TaskBar() = default;
  virtual void Hide() = 0;
  virtual void Show() = 0;
};

// Desktops raise a window in the full-screen state above their panels: hiding the task bar
// puts the marked screens in that state, and restoring it takes them out of it.
class QtTaskBar final : public TaskBar {
 public:
  void Hide() override;
  void Show() override;
};

TaskBar& AppTaskBar();
// Installs taskBar (not owned); nullptr restores the desktop's own.
void InstallTaskBar(TaskBar* taskBar);

class ScopedTaskBar : public InstalledService<TaskBar>::Scope {
 public:
  explicit ScopedTaskBar(TaskBar& taskBar);
};

// Restores the task bar when its scope ends, by return or by exception: the program keeps
// one around everything that runs after the task bar may have been hidden.
class TaskBarRestorer {
 public:
  TaskBarRestorer() = default;
  ~TaskBarRestorer() { AppTaskBar().Show(); }
  TaskBarRestorer(const TaskBarRestorer&) = delete;
  TaskBarRestorer& operator=(const TaskBarRestorer&) = delete;
};

}  // namespace verdal
