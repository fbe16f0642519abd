// A program-wide service with a built-in default that the program or a test may replace.
#pragma once

#include <atomic>

namespace verdal {

// Holds the service in use (not owned). Atomic, so a worker thread may read it while
// the main thread swaps it.
template <typename Service>
class InstalledService {
 public:
  explicit constexpr InstalledService(Service& fallback)
      : fallback_(&fallback), current_(&fallback) {}
  InstalledService(const InstalledService&) = delete;
  InstalledService& operator=(const InstalledService&) = delete;

  Service& Get() const { return *current_.load(); }
  // Installs service; nullptr restores the default.
  void Install(Service* service) { current_ = service ? service : fallback_; }

  // Installs a service for the lifetime of a scope, then restores the previous one.
  class Scope {
   public:
    Scope(InstalledService& slot, Service& service) : slot_(slot), previous_(&slot.Get()) {
      slot.Install(&service);
    }
    ~Scope() { slot_.Install(previous_); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    InstalledService& slot_;
    Service* previous_;
  };

 private:
  Service* fallback_;
  std::atomic<Service*> current_;
};

}  // namespace verdal
