// Checking and marking a proposal against the hidden word.
#pragma once

#include <string>
#include <string_view>

namespace verdal {

inline constexpr char kMarkPlaced = '*';     // right letter, right place
inline constexpr char kMarkMisplaced = '#';  // letter of the word, another place
inline constexpr char kMarkAbsent = 'x';     // neither

// Exactly `length` characters, each one of the letters of LetterTable.
bool IsValidProposal(std::string_view proposal, int length);

// One mark per position, in two passes: exact places first, then each remaining
// proposal letter, left to right, takes the first unused copy of it in the word.
// A letter is thus marked at most as often as it occurs in the word.
std::string Mark(std::string_view proposal, std::string_view word);

}  // namespace verdal
