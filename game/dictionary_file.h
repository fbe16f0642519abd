// "mots": loading the dictionary into the first 20,329 entries of the word tables.
#pragma once

namespace verdal {

inline constexpr const char* kDictionaryFileName = "mots";

// Reads the 20,329 records of "mots" into WordTable and CategoryTable; anything
// after them is ignored. A shorter file keeps the records read and throws IoError 100.
void LoadDictionary();

}  // namespace verdal
