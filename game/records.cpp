// The stored records: the settings record of "data" and the dictionary entry of "mots".
#include "game/records.h"

#include <algorithm>

#include "common/little_endian.h"

namespace verdal {
namespace {

std::int32_t ReadLe32(const std::uint8_t* p) { return static_cast<std::int32_t>(LoadLe32(p)); }

void WriteLe32(std::uint8_t* p, std::int32_t value) {
  StoreLe32(p, static_cast<std::uint32_t>(value));
}

}  // namespace

SettingsRecord SettingsRecord::Decode(const Bytes& bytes) {
  SettingsRecord r;
  r.Sound = ReadLe32(&bytes[0]);
  r.WordLength = ReadLe32(&bytes[4]);
  r.ChronoStep = ReadLe32(&bytes[8]);
  r.Difficulty = ReadLe32(&bytes[12]);
  r.UsePersonal = ReadLe32(&bytes[16]);
  std::copy_n(&bytes[20], r.Reserved.size(), r.Reserved.begin());
  return r;
}

SettingsRecord::Bytes SettingsRecord::Encode() const {
  Bytes bytes{};
  WriteLe32(&bytes[0], Sound);
  WriteLe32(&bytes[4], WordLength);
  WriteLe32(&bytes[8], ChronoStep);
  WriteLe32(&bytes[12], Difficulty);
  WriteLe32(&bytes[16], UsePersonal);
  std::copy(Reserved.begin(), Reserved.end(), &bytes[20]);
  return bytes;
}

DictionaryEntry DictionaryEntry::Decode(const std::uint8_t* bytes) {
  DictionaryEntry e;
  e.length = bytes[0];
  std::copy_n(bytes + 1, kMaxLength, e.characters.begin());
  e.Category = static_cast<WordCategory>(ReadLe32(bytes + 12));
  return e;
}

std::string DictionaryEntry::Word() const {
  return std::string(characters.data(), std::min<std::size_t>(length, kMaxLength));
}

}  // namespace verdal
