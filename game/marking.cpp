// Checking and marking a proposal against the hidden word.
#include "game/marking.h"

#include <algorithm>
#include <vector>

#include "game/word_pool.h"

namespace verdal {

bool IsValidProposal(std::string_view proposal, int length) {
  if (length < 0 || proposal.size() != static_cast<std::size_t>(length)) return false;
  return std::all_of(proposal.begin(), proposal.end(), [](char c) {
    return std::find(LetterTable.begin(), LetterTable.end(), c) != LetterTable.end();
  });
}

std::string Mark(std::string_view proposal, std::string_view word) {
  const std::size_t n = std::min(proposal.size(), word.size());
  std::string marks(n, '\0');
  std::vector<bool> available(n, true);
  for (std::size_t k = 0; k < n; ++k) {
    if (proposal[k] == word[k]) {
      marks[k] = kMarkPlaced;
      available[k] = false;
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (marks[i] != '\0') continue;
    marks[i] = kMarkAbsent;
    for (std::size_t j = 0; j < n; ++j) {
      if (j != i && available[j] && word[j] == proposal[i]) {
        marks[i] = kMarkMisplaced;
        available[j] = false;
        break;
      }
    }
  }
  return marks;
}

}  // namespace verdal
