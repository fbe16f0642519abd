// The mouse pointer's display count: shown while the count is 0 or more, hidden below.
#pragma once

#include "common/installed_service.h"

namespace verdal {

class Pointer {
 public:
  virtual ~Pointer() = default;
  // Adds one to the count (show) or takes one away (hide); returns the new count.
  virtual int ShowCursor(bool show) = 0;
  virtual int Count() const = 0;
};

// Hides the pointer by a blank override cursor over the whole application.
class QtPointer final : public Pointer {
 public:
  int ShowCursor(bool show) override;
  int Count() const override { return count_; }

 private:
  int count_ = 0;
};

Pointer& AppPointer();
// Installs pointer (not owned); nullptr restores the application's own.
void InstallPointer(Pointer* pointer);

class ScopedPointer : public InstalledService<Pointer>::Scope {
 public:
  explicit ScopedPointer(Pointer& pointer);
};

}  // namespace verdal
