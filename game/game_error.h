// Errors of the rules that are not file errors; the text is what the player reads.
#pragma once

#include <stdexcept>

namespace verdal {

class GameError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace verdal
