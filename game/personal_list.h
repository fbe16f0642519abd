// "perso": the user's word list, loaded into the word tables or only counted by length.
#pragma once

#include <array>
#include <cstdint>

namespace verdal {

inline constexpr const char* kPersonalFileName = "perso";

// Words of 6, 7 and 8 characters in "perso", as the settings screen shows them.
struct PersonalCounts {
  std::array<std::int32_t, 3> byLength{};  // lengths 6, 7, 8

  // 0 for any length other than 6, 7 or 8.
  std::int32_t ForLength(int length) const {
    return length >= 6 && length <= 8 ? byLength[length - 6] : 0;
  }
};

// Puts the first words of "perso" (at most 10,000) into WordTable from entry 20,329,
// with category 3, and returns how many, the number the first line announces. Each word is
// spelt as the game plays it (PlayableWord: small letters, accents and blanks mended), so
// that every word a player can be dealt is one a player can find; a line that cannot be
// played takes its entry as an empty word, which no length accepts. Throws IoError.
std::int32_t LoadPersonalList();

// Counts the words of "perso" by length as the game plays them, without the cap of 10,000.
// Throws IoError.
PersonalCounts CountPersonalList();

}  // namespace verdal
