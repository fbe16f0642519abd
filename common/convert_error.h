// The framework's conversion error: a value or object that cannot become what was asked.
#pragma once

#include <stdexcept>

namespace verdal {

// Carries the French text the user reads, like every other error the screens report.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace verdal
