// Fuzz target: a JPEG picture decoded through libjpeg into a work image, without Qt.
#include <memory>

#include "components/lumofade/jpeg_decoder.h"
#include "fuzz/fuzz_files.h"

using namespace verdal;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto file = std::make_unique<std::uint8_t[]>(size);
  std::copy(data, data + size, file.get());
  try {
    WorkImage image = DecodeJpeg(file.get(), size);
    VERDAL_FUZZ_CHECK(image.Width() > 0 && image.Width() <= 4096);
    VERDAL_FUZZ_CHECK(image.Height() > 0 && image.Height() <= 4096);
  } catch (const JpegError&) {
  }
  return 0;
}
