// A word as a player typed it in "perso", spelt the way the game plays it: capitals A to Z.
#include "game/typed_word.h"

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace verdal {
namespace {

constexpr char32_t kNotALetter = 0xFFFD;

// The code points of a valid UTF-8 text; nothing when the text is not one (an overlong
// form, a surrogate, a missing or stray continuation byte), which an 8-bit editor wrote.
std::optional<std::vector<char32_t>> DecodeUtf8(std::string_view text) {
  std::vector<char32_t> out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int more = 0;
    char32_t c = lead;
    char32_t least = 0;
    if (lead < 0x80) {
      more = 0;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      more = 1, c = lead & 0x1F, least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      more = 2, c = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      more = 3, c = lead & 0x07, least = 0x10000;
    } else {
      return std::nullopt;
    }
    if (i + more >= text.size() && more > 0) return std::nullopt;
    for (int k = 1; k <= more; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    out.push_back(c);
    i += more + 1;
  }
  return out;
}

// Windows-1252: Latin-1's code points, and in 0x80 to 0x9F the letters French needs there.
std::vector<char32_t> DecodeWindows1252(std::string_view text) {
  std::vector<char32_t> out;
  out.reserve(text.size());
  for (const char byte : text) {
    const auto b = static_cast<unsigned char>(byte);
    switch (b) {
      case 0x8A: out.push_back(U'Š'); break;
      case 0x8C: out.push_back(U'Œ'); break;
      case 0x8E: out.push_back(U'Ž'); break;
      case 0x9A: out.push_back(U'š'); break;
      case 0x9C: out.push_back(U'œ'); break;
      case 0x9E: out.push_back(U'ž'); break;
      case 0x9F: out.push_back(U'Ÿ'); break;
      default: out.push_back(b >= 0x80 && b < 0xA0 ? kNotALetter : b);
    }
  }
  return out;
}

bool IsBlank(char32_t c) {
  return c == U' ' || c == U'\t' || c == 0xA0 || c == 0x202F || c == 0xFEFF;
}

// Diacritics typed apart from their letter (decomposed text): the letter is what counts.
bool IsCombiningMark(char32_t c) { return c >= 0x300 && c <= 0x36F; }

// The capitals a letter is played as; empty for anything else.
std::string_view Folded(char32_t c) {
  static constexpr std::string_view kCapitals = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  if (c >= U'A' && c <= U'Z') return kCapitals.substr(c - U'A', 1);
  if (c >= U'a' && c <= U'z') return kCapitals.substr(c - U'a', 1);
  // Latin-1's letters from U+00C0 (capitals; the small letters follow 32 code points on):
  // empty for the sign among them (× and ÷) and for letters French does not use.
  static constexpr std::string_view kLatin1[32] = {
      "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",
      "",  "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "",  ""};
  if (c >= 0xC0 && c <= 0xFE) return kLatin1[(c - 0xC0) % 32];
  switch (c) {
    case U'ÿ': case U'Ÿ': return "Y";
    case U'Œ': case U'œ': return "OE";
    case U'Š': case U'š': return "S";
    case U'Ž': case U'ž': return "Z";
    default: return {};
  }
}

}  // namespace

std::string PlayableWord(std::string_view line) {
  // Windows-1252 only for a line that is not UTF-8: value_or would decode every line twice.
  std::optional<std::vector<char32_t>> utf8 = DecodeUtf8(line);
  std::vector<char32_t> text = utf8 ? std::move(*utf8) : DecodeWindows1252(line);
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;

  std::string word;
  for (std::size_t k = first; k < last; ++k) {
    if (IsCombiningMark(text[k]) && k > first) continue;
    const std::string_view folded = Folded(text[k]);
    if (folded.empty()) return {};
    word.append(folded);
  }
  return word;
}

}  // namespace verdal
