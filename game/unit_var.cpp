// Unit_var: the variables that the screens share (settings, word tables, playable count).
#include "game/unit_var.h"

namespace verdal {

SettingsRecord CurrentSettings;
std::int32_t AvailableWordCount = 0;
std::array<std::string, kWordTableSize> WordTable;
std::array<WordCategory, kWordTableSize> CategoryTable{};

}  // namespace verdal
