// JPEG pictures decoded with libjpeg straight into the work-image layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "components/lumofade/work_image.h"

namespace verdal {

// A JPEG stream that libjpeg refuses; the message names libjpeg's reason.
class JpegError : public std::runtime_error {
 public:
  explicit JpegError(const std::string& reason) : std::runtime_error(reason) {}
};

// Decodes a whole JPEG file held in memory; throws JpegError on a corrupt or truncated file, or
// on one larger than 4096 pixels on a side.
WorkImage DecodeJpeg(const std::uint8_t* data, std::size_t size);

}  // namespace verdal
