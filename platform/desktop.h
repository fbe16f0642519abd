// The desktop as the start-up sees it: its size and a snapshot of what it shows.
#pragma once

#include <QImage>
#include <QSize>

#include "common/installed_service.h"

namespace verdal {

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Size in pixels of the screen the game covers.
  virtual QSize Size() = 0;
  // What the screen shows now, at its size.
  virtual QImage Snapshot() = 0;
};

// The primary screen of the window system.
class QtDesktop final : public Desktop {
 public:
  QSize Size() override;
  QImage Snapshot() override;
};

Desktop& AppDesktop();
// Installs desktop (not owned); nullptr restores the window system's own.
void InstallDesktop(Desktop* desktop);

class ScopedDesktop : public InstalledService<Desktop>::Scope {
 public:
  explicit ScopedDesktop(Desktop& desktop);
};

}  // namespace verdal
