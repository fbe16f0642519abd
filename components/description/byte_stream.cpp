// Bounded little-endian byte streams for reading and writing screen descriptions.
#include "components/description/byte_stream.h"

#include "common/little_endian.h"

namespace verdal {

EReadError::EReadError(const std::string& detail)
    : std::runtime_error("Erreur de lecture de la description d'écran" +
                         (detail.empty() ? "" : " : " + detail)) {}

std::uint8_t ByteReader::ReadU8() { return ReadBytes(1)[0]; }

std::int32_t ByteReader::ReadI32() {
  return static_cast<std::int32_t>(LoadLe32(ReadBytes(4).data()));
}

std::span<const std::uint8_t> ByteReader::ReadBytes(std::size_t count) {
  if (count > Remaining()) throw EReadError();
  auto part = bytes_.subspan(position_, count);
  position_ += count;
  return part;
}

std::string ByteReader::ReadShortString() {
  auto text = ReadBytes(ReadU8());
  return std::string(text.begin(), text.end());
}

void ByteWriter::WriteI32(std::int32_t value) {
  std::uint8_t bytes[4];
  StoreLe32(bytes, static_cast<std::uint32_t>(value));
  WriteBytes(bytes);
}

void ByteWriter::WriteBytes(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ByteWriter::WriteShortString(const std::string& text) {
  if (text.size() > 255) throw std::length_error("short string longer than 255 bytes: " + text);
  WriteU8(static_cast<std::uint8_t>(text.size()));
  WriteBytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

}  // namespace verdal
