// "perso": the user's word list, loaded into the word tables or only counted by length.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace verdal {

inline constexpr const char* kPersonalFileName = "perso";

// The line format of "perso": a count N on the first line, then one word per line.
// A line ends at CR, LF or CR LF, and character 26 ends the text.
class PersonalText {
 public:
  explicit PersonalText(std::string text);

  // The count of the first line: leading blanks and line breaks are skipped, the
  // end of the text reads as 0, anything but a decimal integer throws IoError 106.
  // The rest of the line is skipped.
  std::int32_t ReadCount();
  // The next line without its line break; empty at the end of the text.
  std::string_view ReadLine();
  bool AtEnd() const { return pos_ >= text_.size(); }

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

// Words of 6, 7 and 8 characters in "perso", as the settings screen shows them.
struct PersonalCounts {
  std::array<std::int32_t, 3> byLength{};  // lengths 6, 7, 8

  // 0 for any length other than 6, 7 or 8.
  std::int32_t ForLength(int length) const {
    return length >= 6 && length <= 8 ? byLength[length - 6] : 0;
  }
};

// Puts the first words of "perso" (at most 10,000) into WordTable from entry 20,329,
// with category 3, and returns how many. Letters a to z become A to Z, so that every
// word a player can type is one a player can find. Throws IoError.
std::int32_t LoadPersonalList();

// Counts the words of "perso" by length, as typed, without the cap of 10,000.
// Throws IoError.
PersonalCounts CountPersonalList();

}  // namespace verdal
