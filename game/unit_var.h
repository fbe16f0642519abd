// Unit_var: the variables that the screens share (settings, word tables, playable count).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "game/records.h"

namespace verdal {

inline constexpr int kDictionarySize = 20329;    // entries of "mots"
inline constexpr int kPersonalCapacity = 10000;  // personal words the game takes at most
inline constexpr int kWordTableSize = kDictionarySize + kPersonalCapacity;

// All of them live for the whole run and are used from the user-interface thread only.
extern SettingsRecord CurrentSettings;
// Words the current settings allow, as the settings screen last counted them.
extern std::int32_t AvailableWordCount;
// Dictionary at 0 to 20,328, personal words from 20,329.
extern std::array<std::string, kWordTableSize> WordTable;
extern std::array<WordCategory, kWordTableSize> CategoryTable;

}  // namespace verdal
