// "perso": the user's word list, loaded into the word tables or only counted by length.
#include "game/personal_list.h"

#include <fcntl.h>

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <system_error>

#include "common/ascii.h"
#include "common/io_error.h"
#include "common/posix_file.h"
#include "game/unit_var.h"

namespace verdal {
namespace {

constexpr char kEndOfText = 26;

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

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

PersonalText ReadPersonalFile() {
  PosixFile file = PosixFile::Open(kPersonalFileName, O_RDONLY);
  std::string text = file.ReadAll();
  file.Close();
  return PersonalText(std::move(text));
}

PersonalText::PersonalText(std::string text) : text_(std::move(text)) {
  if (auto end = text_.find(kEndOfText); end != std::string::npos) text_.resize(end);
}

std::int32_t PersonalText::ReadCount() {
  while (!AtEnd() && (IsBlank(text_[pos_]) || IsLineBreak(text_[pos_]))) ++pos_;
  if (AtEnd()) return 0;

  std::size_t end = pos_;
  while (end < text_.size() && !IsBlank(text_[end]) && !IsLineBreak(text_[end])) ++end;
  std::string_view token(text_.data() + pos_, end - pos_);
  pos_ = end;

  // A sign is allowed, a second one is not ("+-5").
  const char* first = token.data() + (token.front() == '+' ? 1 : 0);
  const char* last = token.data() + token.size();
  std::int32_t value = 0;
  auto [stop, error] = std::from_chars(first, last, value);
  if (error != std::errc{} || stop != last || (first != token.data() && *first == '-')) {
    throw IoError(ioBadNumber);
  }
  ReadLine();
  return value;
}

std::string_view PersonalText::ReadLine() {
  std::size_t start = pos_;
  while (!AtEnd() && !IsLineBreak(text_[pos_])) ++pos_;
  std::string_view line(text_.data() + start, pos_ - start);
  if (!AtEnd()) {
    char lineBreak = text_[pos_++];
    if (lineBreak == '\r' && !AtEnd() && text_[pos_] == '\n') ++pos_;
  }
  return line;
}

}  // namespace

std::int32_t LoadPersonalList() {
  PersonalText text = ReadPersonalFile();
  // A negative count announces no words; it must not shrink the dictionary's range.
  std::int32_t count = std::clamp(text.ReadCount(), 0, kPersonalCapacity);
  for (std::int32_t k = 0; k < count; ++k) {
    std::string word(text.ReadLine());
    std::ranges::transform(word, word.begin(), AsciiUpper);
    WordTable[kDictionarySize + k] = std::move(word);
    CategoryTable[kDictionarySize + k] = wcPersonal;
  }
  return count;
}

PersonalCounts CountPersonalList() {
  PersonalText text = ReadPersonalFile();
  PersonalCounts counts;
  std::int32_t announced = text.ReadCount();
  // Lines missing at the end would be empty and count for nothing: stop there.
  for (std::int32_t k = 0; k < announced && !text.AtEnd(); ++k) {
    std::size_t length = text.ReadLine().size();
    if (length >= 6 && length <= 8) ++counts.byLength[length - 6];
  }
  return counts;
}

}  // namespace verdal
