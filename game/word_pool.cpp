// The word pool: the words the current settings allow, and the draw of the hidden word.
#include "game/word_pool.h"

#include <numeric>

#include "common/random.h"
#include "game/game_error.h"
#include "game/personal_list.h"

namespace verdal {

std::array<char, 26> LetterTable{};

WordPool& CurrentWordPool() {
  static WordPool pool;
  return pool;
}

bool FilterAccepts(std::int32_t difficulty, std::int32_t usePersonal, WordCategory category) {
  bool personal = category == wcPersonal;
  switch (difficulty) {
    case 1:
      if (usePersonal == 2) return category == wcFamiliar;
      if (usePersonal == 1) return category == wcFamiliar || personal;
      return false;
    case 2:
      if (usePersonal == 2) return category == wcLessFamiliar;
      if (usePersonal == 1) return category == wcLessFamiliar || personal;
      return false;
    case 3:
      if (usePersonal == 2) return category == wcFamiliar || category == wcLessFamiliar;
      return usePersonal == 1;
    case 4:
      return personal;
    default:
      return false;
  }
}

std::int32_t BuildWordPool() {
  std::iota(LetterTable.begin(), LetterTable.end(), 'A');
  const SettingsRecord settings = CurrentSettings;

  std::int32_t scanned = kDictionarySize;
  if (settings.UsePersonal == 1) scanned += LoadPersonalList();

  WordPool& pool = CurrentWordPool();
  pool.count = 0;
  for (std::int32_t i = 0; i < scanned; ++i) {
    if (WordTable[i].size() == static_cast<std::size_t>(settings.WordLength) &&
        FilterAccepts(settings.Difficulty, settings.UsePersonal, CategoryTable[i])) {
      pool.words[pool.count++] = WordTable[i];
    }
  }
  return pool.count;
}

std::string DrawWord() {
  const WordPool& pool = CurrentWordPool();
  if (pool.count <= 0) throw GameError("Il n'y a aucun mot!!");
  return pool.words[RandomBelow(static_cast<std::uint32_t>(pool.count))];
}

}  // namespace verdal
