// Errors of the rules that are not file errors; the text is what the player reads.
#pragma once

#include <stdexcept>
#include <string>

namespace verdal {

class GameError : public std::runtime_error {
 public:
  explicit GameError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace verdal
