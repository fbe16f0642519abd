// Checks a WAV file image held in memory and finds the PCM samples a player can use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace verdal {

struct WavFormat {
  int channels = 0;            // 1 or 2
  int sampleRate = 0;          // samples per second
  int bitsPerSample = 0;       // 8 (unsigned) or 16 (signed)
  std::size_t dataOffset = 0;  // where the samples start in the image
  std::size_t dataSize = 0;    // whole frames only
};

// The format of image if it is a playable RIFF/WAVE image: PCM, 8 or 16 bits, mono or
// stereo, with a non-empty "data" chunk after its "fmt " chunk. Every chunk length is
// checked against the image; anything else gives no format (the caller stays silent).
std::optional<WavFormat> ParseWav(std::span<const std::uint8_t> image);

}  // namespace verdal
