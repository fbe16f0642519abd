// Fuzz target: "perso" loaded by LoadPersonalList, counted by CountPersonalList and dealt
// from by the word pool.
#include <array>

#include "common/io_error.h"
#include "fuzz/fuzz_files.h"
#include "game/personal_list.h"
#include "game/unit_var.h"
#include "game/word_pool.h"

using namespace verdal;

constexpr const char* kCapitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterPrivateFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteInput(kPersonalFileName, data, size);
  std::int32_t loaded = 0;
  PersonalCounts counts;
  int loadError = 0;
  int countError = 0;
  try {
    loaded = LoadPersonalList();
  } catch (const IoError& e) {
    loadError = e.Code();
  }
  try {
    counts = CountPersonalList();
  } catch (const IoError& e) {
    countError = e.Code();
  }
  // Both read the same count line the same way; a bad one is the only error a file gives.
  VERDAL_FUZZ_CHECK(loadError == countError);
  VERDAL_FUZZ_CHECK(loadError == 0 || loadError == ioBadNumber);
  if (loadError != 0) return 0;

  VERDAL_FUZZ_CHECK(loaded >= 0 && loaded <= kPersonalCapacity);
  std::array<std::int32_t, 3> loadedByLength{};
  for (std::int32_t k = 0; k < loaded; ++k) {
    const std::string& word = WordTable[kDictionarySize + k];
    VERDAL_FUZZ_CHECK(CategoryTable[kDictionarySize + k] == wcPersonal);
    // Whatever the bytes, a loaded word is capitals A to Z or nothing.
    VERDAL_FUZZ_CHECK(word.find_first_not_of(kCapitals) == std::string::npos);
    if (word.size() >= 6 && word.size() <= 8) ++loadedByLength[word.size() - 6];
  }
  // Below the cap, the game takes every word the settings screen counted.
  if (loaded < kPersonalCapacity) VERDAL_FUZZ_CHECK(loadedByLength == counts.byLength);

  // Every word the pool can deal is one a player can type: A to Z, of the chosen length.
  for (std::int32_t length = 6; length <= 8; ++length) {
    CurrentSettings.WordLength = length;
    CurrentSettings.Difficulty = 4;
    CurrentSettings.UsePersonal = 1;
    VERDAL_FUZZ_CHECK(BuildWordPool() == loadedByLength[length - 6]);
    const WordPool& pool = CurrentWordPool();
    for (std::int32_t k = 0; k < pool.count; ++k) {
      VERDAL_FUZZ_CHECK(pool.words[k].size() == static_cast<std::size_t>(length));
      VERDAL_FUZZ_CHECK(pool.words[k].find_first_not_of(kCapitals) == std::string::npos);
    }
  }
  return 0;
}
