// "mots": loading the dictionary into the first 20,329 entries of the word tables.
#pragma once

#include <array>
#include <cstdint>

namespace verdal {

inline constexpr const char* kDictionaryFileName = "mots";

// The composition of the delivered dictionary, which the settings screen counts with:
// DictionaryCounts[category][length - 6] for categories 0 and 1 and lengths 6 to 8.
inline constexpr std::array<std::array<std::int32_t, 3>, 2> DictionaryCounts = {{
    {3135, 4303, 4768},
    {2094, 2803, 3226},
}};

// Reads the 20,329 records of "mots" into WordTable and CategoryTable; anything
// after them is ignored. A shorter file keeps the records read and throws IoError 100.
void LoadDictionary();

}  // namespace verdal
