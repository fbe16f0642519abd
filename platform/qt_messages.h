// Message boxes titled "VERDAL", as the program's message service.
#pragma once

#include "common/messages.h"

namespace verdal {

class QtMessages final : public Messages {
 public:
  // An OK box over the active window; returns once it is closed.
  void Show(const std::string& text) override;
};

}  // namespace verdal
