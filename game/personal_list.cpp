// "perso": the user's word list, loaded into the word tables or only counted by length.
#include "game/personal_list.h"

#include <fcntl.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>

#include "common/io_error.h"
#include "common/posix_file.h"
#include "game/typed_word.h"
#include "game/unit_var.h"

namespace verdal {
namespace {

constexpr char kEndOfText = 26;

// A line longer than this keeps only its beginning: no word that long can be played
// (the game asks for 6 to 8 letters), and a damaged file of one endless line must not
// cost its own size in memory.
constexpr std::size_t kKeptLineLength = 255;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// The line format of "perso": a count N on the first line, then one word per line.
// A line ends at CR, LF or CR LF, and character 26 ends the text. The file is read in
// pieces, so the memory used does not grow with the file or with its longest line.
class PersonalText {
 public:
  PersonalText() : file_(PosixFile::Open(kPersonalFileName, O_RDONLY)) {}

  // The count of the first line: leading blanks and line breaks are skipped, the
  // end of the text reads as 0, anything but a decimal integer throws IoError 106.
  // The rest of the line is skipped.
  std::int32_t ReadCount();
  // The next line without its line break (its first kKeptLineLength characters); its
  // whole length goes to *length. Empty at the end of the text.
  std::string ReadLine(std::size_t* length = nullptr);
  bool AtEnd() { return !Available(); }
  void Close() { file_.Close(); }

 private:
  // True when a character is waiting at pos_, reading the next piece if needed.
  bool Available();
  // Where the next c lies in the piece, at or after pos_ (end_ when it holds none).
  // Each search starts after the last one found, so a piece is scanned once per character.
  std::size_t Next(char c, std::size_t& cached);

  PosixFile file_;
  std::array<char, 64 * 1024> piece_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  bool ended_ = false;  // the end of the file or a character 26 was met
  static constexpr std::size_t kUnknown = std::numeric_limits<std::size_t>::max();
  std::size_t nextCr_ = kUnknown;
  std::size_t nextLf_ = kUnknown;
};

bool PersonalText::Available() {
  if (pos_ < end_) return true;
  if (ended_) return false;
  end_ = file_.ReadUpTo(piece_.data(), piece_.size());
  pos_ = 0;
  nextCr_ = nextLf_ = kUnknown;
  if (end_ < piece_.size()) ended_ = true;
  if (const void* stop = std::memchr(piece_.data(), kEndOfText, end_)) {
    end_ = static_cast<std::size_t>(static_cast<const char*>(stop) - piece_.data());
    ended_ = true;
  }
  return pos_ < end_;
}

std::size_t PersonalText::Next(char c, std::size_t& cached) {
  if (cached == kUnknown || cached < pos_) {
    const void* found = std::memchr(piece_.data() + pos_, c, end_ - pos_);
    cached = found ? static_cast<std::size_t>(static_cast<const char*>(found) - piece_.data())
                   : end_;
  }
  return cached;
}

std::int32_t PersonalText::ReadCount() {
  // Editors that mark their UTF-8 files put a byte-order mark before the count.
  static constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (Available() && std::string_view(piece_.data(), end_).starts_with(kByteOrderMark)) {
    pos_ += kByteOrderMark.size();
  }
  while (Available() && (IsBlank(piece_[pos_]) || IsLineBreak(piece_[pos_]))) ++pos_;
  if (!Available()) return 0;

  // One sign at most, then decimal digits up to a blank, a line break or the end.
  const bool negative = piece_[pos_] == '-';
  if (negative || piece_[pos_] == '+') ++pos_;
  const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                      : std::numeric_limits<std::int32_t>::max();
  std::int64_t value = 0;
  bool digits = false;
  for (; Available() && !IsBlank(piece_[pos_]) && !IsLineBreak(piece_[pos_]); ++pos_) {
    const char c = piece_[pos_];
    if (c < '0' || c > '9') throw IoError(ioBadNumber);
    value = value * 10 + (c - '0');
    if (value > limit) throw IoError(ioBadNumber);
    digits = true;
  }
  if (!digits) throw IoError(ioBadNumber);
  ReadLine();
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::string PersonalText::ReadLine(std::size_t* length) {
  std::string line;
  std::size_t whole = 0;
  while (Available()) {
    const std::size_t stop = std::min(Next('\r', nextCr_), Next('\n', nextLf_));
    const std::size_t part = stop - pos_;
    if (line.size() < kKeptLineLength) {
      line.append(piece_.data() + pos_, std::min(part, kKeptLineLength - line.size()));
    }
    whole += part;
    pos_ = stop;
    if (pos_ < end_) {
      const char lineBreak = piece_[pos_++];
      if (lineBreak == '\r' && Available() && piece_[pos_] == '\n') ++pos_;
      break;
    }
  }
  if (length != nullptr) *length = whole;
  return line;
}

// The next word line as the game plays it (see PlayableWord); empty for a line longer than
// any word, of which only the beginning was kept.
std::string NextWord(PersonalText& text) {
  std::size_t length = 0;
  const std::string line = text.ReadLine(&length);
  return length <= kKeptLineLength ? PlayableWord(line) : std::string();
}

}  // namespace

std::int32_t LoadPersonalList() {
  PersonalText text;
  // A negative count announces no words; it must not shrink the dictionary's range.
  std::int32_t count = std::clamp(text.ReadCount(), 0, kPersonalCapacity);
  for (std::int32_t k = 0; k < count; ++k) {
    WordTable[kDictionarySize + k] = NextWord(text);
    CategoryTable[kDictionarySize + k] = wcPersonal;
  }
  text.Close();
  return count;
}

PersonalCounts CountPersonalList() {
  PersonalText text;
  PersonalCounts counts;
  std::int32_t announced = text.ReadCount();
  // Lines missing at the end would be empty and count for nothing: stop there.
  for (std::int32_t k = 0; k < announced && !text.AtEnd(); ++k) {
    const std::size_t length = NextWord(text).size();
    if (length >= 6 && length <= 8) ++counts.byLength[length - 6];
  }
  text.Close();
  return counts;
}

}  // namespace verdal
