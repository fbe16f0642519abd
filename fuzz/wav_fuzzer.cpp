// Fuzz target: the WAV checker over an image held in a buffer of exactly its size.
#include <memory>

#include "components/wave/wav_format.h"
#include "fuzz/fuzz_files.h"

using namespace verdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A copy of exactly size bytes: a read one byte past the image is an ASan report.
  auto image = std::make_unique<std::uint8_t[]>(size);
  std::copy(data, data + size, image.get());
  const std::optional<WavFormat> format = ParseWav({image.get(), size});
  if (!format) return 0;
  // What the player is handed must be whole frames inside the image.
  VERDAL_FUZZ_CHECK(format->channels == 1 || format->channels == 2);
  VERDAL_FUZZ_CHECK(format->bitsPerSample == 8 || format->bitsPerSample == 16);
  const std::size_t frame = std::size_t(format->channels * format->bitsPerSample / 8);
  VERDAL_FUZZ_CHECK(format->dataSize > 0 && format->dataSize % frame == 0);
  VERDAL_FUZZ_CHECK(format->dataOffset <= size && format->dataSize <= size - format->dataOffset);
  return 0;
}
