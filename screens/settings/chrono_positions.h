// The chronometer track bar's six positions: the time each one shows and its step.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace verdal {

struct ChronoPosition {
  const char* text;         // what Label2 shows, UTF-8
  std::int32_t chronoStep;  // the game timer's step in milliseconds; 100 steps run out
};

inline constexpr std::array<ChronoPosition, 6> kChronoPositions = {{
    {"5 secondes", 50},
    {"10 secondes", 100},
    {"20 secondes", 200},
    {"30 secondes", 300},
    {"40 secondes", 400},
    {"1 minute", 600},
}};

// The position of a stored step, or nothing for a step the track bar cannot show.
constexpr std::optional<int> ChronoPositionOf(std::int32_t chronoStep) {
  for (int p = 0; p < int(kChronoPositions.size()); ++p) {
    if (kChronoPositions[p].chronoStep == chronoStep) return p;
  }
  return std::nullopt;
}

}  // namespace verdal
