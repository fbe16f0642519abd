// A word as a player typed it in "perso", spelt the way the game plays it: capitals A to Z.
#pragma once

#include <string>
#include <string_view>

namespace verdal {

// The line with surrounding spaces, tabs and no-break spaces trimmed, a byte-order mark
// dropped, small letters raised, and French accents, cedillas, diaereses and ligatures folded
// to their letters (É → E, Ç → C, Œ → OE). The line is read as UTF-8 when it is valid UTF-8,
// otherwise as Windows-1252 (which holds Latin-1's letters), since an editor saves the whole
// file in one or the other. Empty when anything but those letters remains: such a word could
// never be found, so it is never drawn nor counted.
std::string PlayableWord(std::string_view line);

}  // namespace verdal
