// The word pool: the words the current settings allow, and the draw of the hidden word.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/records.h"
#include "game/unit_var.h"

namespace verdal {

struct WordPool {
  // Room for the whole table; only the slots below count are meaningful.
  std::vector<std::string> words = std::vector<std::string>(kWordTableSize);
  std::int32_t count = 0;
};

// The pool the game draws from; it lives as long as the program.
WordPool& CurrentWordPool();

// The 26 letters a proposal may be made of, rebuilt with the pool.
extern std::array<char, 26> LetterTable;

// Whether the difficulty and the use of the personal list accept a word of this category.
bool FilterAccepts(std::int32_t difficulty, std::int32_t usePersonal, WordCategory category);

// Rebuilds the pool from the tables for WordLength, Difficulty and UsePersonal of
// CurrentSettings, first reloading "perso" when UsePersonal is 1. Returns the count.
// Throws IoError; a failure leaves the pool untouched.
std::int32_t BuildWordPool();

// One word of the pool, drawn with the program-wide generator. An empty pool is a
// GameError ("Il n'y a aucun mot!!").
std::string DrawWord();

}  // namespace verdal
