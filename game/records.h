// The stored records: the settings record of "data" and the dictionary entry of "mots".
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace verdal {

// The tag of a word. Values read from "mots" are kept as stored, even unknown ones.
enum WordCategory : std::int32_t {
  wcFamiliar = 0,      // the words of "Facile"
  wcLessFamiliar = 1,  // the words of "Difficile"
  wcPersonal = 3,      // given to the words of "perso" when they are loaded
};

// The one record of "data": 40 bytes, little-endian.
struct SettingsRecord {
  static constexpr std::size_t kSize = 40;

  std::int32_t Sound = 0;        // 1 on, 2 off
  std::int32_t WordLength = 0;   // 6, 7 or 8
  std::int32_t ChronoStep = 0;   // milliseconds per chronometer step
  std::int32_t Difficulty = 0;   // 1 Facile, 2 Difficile, 3 Complet, 4 Perso
  std::int32_t UsePersonal = 0;  // 1 yes, 2 no
  // Not ours to interpret: written back exactly as they were read.
  std::array<std::uint8_t, 20> Reserved{};

  using Bytes = std::array<std::uint8_t, kSize>;
  static SettingsRecord Decode(const Bytes& bytes);
  Bytes Encode() const;

  friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;
};

// One record of "mots": a length byte, 11 character bytes and a little-endian category.
struct DictionaryEntry {
  static constexpr std::size_t kSize = 16;
  static constexpr std::size_t kMaxLength = 11;

  std::uint8_t length = 0;
  std::array<char, kMaxLength> characters{};
  WordCategory Category = wcFamiliar;

  static DictionaryEntry Decode(const std::uint8_t* bytes);
  // The word: as many characters as the length byte gives, never more than 11.
  std::string Word() const;
};

}  // namespace verdal
