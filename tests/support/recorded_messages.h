// Messages that the tests read back instead of message boxes.
#pragma once

#include <string>
#include <vector>

#include "common/messages.h"

namespace verdal {

struct RecordedMessages final : Messages {
  void Show(const std::string& text) override { shown.push_back(text); }
  std::vector<std::string> shown;
};

}  // namespace verdal
