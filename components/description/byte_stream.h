// Bounded little-endian byte streams for reading and writing screen descriptions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace verdal {

// A description that ends early or holds a length that cannot be right.
class EReadError : public std::runtime_error {
 public:
  explicit EReadError(const std::string& detail = {});
};

// Reads from a span it does not own; never reads outside it (EReadError instead).
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::size_t Remaining() const { return bytes_.size() - position_; }
  bool AtEnd() const { return Remaining() == 0; }

  std::uint8_t ReadU8();
  std::int32_t ReadI32();  // little-endian
  std::span<const std::uint8_t> ReadBytes(std::size_t count);
  // One length byte, then that many bytes.
  std::string ReadShortString();

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

class ByteWriter {
 public:
  void WriteU8(std::uint8_t value) { bytes_.push_back(value); }
  void WriteI32(std::int32_t value);  // little-endian
  void WriteBytes(std::span<const std::uint8_t> bytes);
  // One length byte, then the text; longer than 255 bytes is a programming error.
  void WriteShortString(const std::string& text);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace verdal
