// The sound part of the game screen's description: its two cues, Wave_jaune and Wave_rouge.
#pragma once

#include <cstdint>
#include <span>

namespace verdal {

// Component records (see components/description/description.h) for the TWave components
// "Wave_jaune" and "Wave_rouge", each holding its clip under "WaveData.Data". Made at
// build time from the two clips of assets/sounds by make_sound_description.
std::span<const std::uint8_t> Form_jeu6SoundDescription();

}  // namespace verdal
