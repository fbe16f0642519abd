// Checks a WAV file image held in memory and finds the PCM samples a player can use.
#include "components/wave/wav_format.h"

#include <cstring>

#include "common/little_endian.h"

namespace verdal {
namespace {

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kPcmFormatSize = 16;

bool Is(const std::uint8_t* p, const char (&id)[5]) { return std::memcmp(p, id, 4) == 0; }

}  // namespace

std::optional<WavFormat> ParseWav(std::span<const std::uint8_t> image) {
  if (image.size() < 12 || !Is(image.data(), "RIFF") || !Is(image.data() + 8, "WAVE")) {
    return std::nullopt;
  }
  // The RIFF chunk must fit in the image; bytes after it are not ours to read.
  std::uint32_t riffSize = LoadLe32(image.data() + 4);
  if (riffSize < 4 || riffSize > image.size() - 8) return std::nullopt;
  const std::size_t end = std::size_t{riffSize} + 8;

  WavFormat format;
  bool haveFormat = false;
  std::size_t position = 12;
  while (end - position >= kChunkHeaderSize) {
    const std::uint8_t* header = image.data() + position;
    std::size_t size = LoadLe32(header + 4);
    std::size_t body = position + kChunkHeaderSize;
    if (size > end - body) return std::nullopt;
    const std::uint8_t* p = image.data() + body;
    if (Is(header, "fmt ")) {
      if (size < kPcmFormatSize || LoadLe16(p) != kFormatPcm) return std::nullopt;
      format.channels = LoadLe16(p + 2);
      format.sampleRate = static_cast<int>(LoadLe32(p + 4));
      std::uint16_t blockAlign = LoadLe16(p + 12);
      format.bitsPerSample = LoadLe16(p + 14);
      if (format.channels < 1 || format.channels > 2) return std::nullopt;
      if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return std::nullopt;
      if (format.sampleRate < 1000 || format.sampleRate > 192000) return std::nullopt;
      if (blockAlign != format.channels * format.bitsPerSample / 8) return std::nullopt;
      haveFormat = true;
    } else if (Is(header, "data")) {
      if (!haveFormat) return std::nullopt;
      std::size_t frame = static_cast<std::size_t>(format.channels * format.bitsPerSample / 8);
      format.dataOffset = body;
      format.dataSize = size - size % frame;
      if (format.dataSize == 0) return std::nullopt;
      return format;
    }
    // Chunks are padded to an even length; the pad byte may be missing after the last one.
    std::size_t advance = size + (size & 1);
    if (advance > end - body) break;
    position = body + advance;
  }
  return std::nullopt;
}

}  // namespace verdal
