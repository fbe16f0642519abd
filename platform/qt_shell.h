// The desktop's "open" action through Qt.
#pragma once

#include "common/shell.h"

namespace verdal {

class QtShell final : public Shell {
 public:
  void Open(const std::string& address) override;
};

}  // namespace verdal
