// Fuzz target: "perso" loaded by LoadPersonalList and counted by CountPersonalList.
#include <algorithm>
#include <array>

#include "common/io_error.h"
#include "fuzz/fuzz_files.h"
#include "game/personal_list.h"
#include "game/unit_var.h"

using namespace verdal;

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
    // A line break or the end of the text never reaches a word, nor does a small letter.
    VERDAL_FUZZ_CHECK(word.find_first_of("\r\n\x1A") == std::string::npos);
    VERDAL_FUZZ_CHECK(
        std::none_of(word.begin(), word.end(), [](char c) { return c >= 'a' && c <= 'z'; }));
    if (word.size() >= 6 && word.size() <= 8) ++loadedByLength[word.size() - 6];
  }
  // Below the cap, the game takes every word the settings screen counted.
  if (loaded < kPersonalCapacity) VERDAL_FUZZ_CHECK(loadedByLength == counts.byLength);
  return 0;
}
