// JPEG decoding through libjpeg(-turbo), errors turned into exceptions after a longjmp.
#include "components/lumofade/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>
// After jpeglib.h: the message codes.
#include <jerror.h>

namespace verdal {
namespace {

// The header's size is believed only up to here: a damaged or hostile file may announce 65500 x
// 65500, some 12 GB of pixels. Every screen the game runs on, 4K included, fits.
constexpr unsigned kMaxJpegSide = 4096;

struct ErrorManager {
  jpeg_error_mgr pub;  // first, so libjpeg's pointer converts back to ours
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// libjpeg's default error_exit ends the process; ours keeps the text and jumps back.
[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

// A truncated file is only a warning to libjpeg, which pads the picture with grey; we
// refuse it, since the player would see half a picture. Other warnings are harmless.
void EmitMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) ErrorExit(cinfo);
}

// Everything between setjmp and the last libjpeg call lives here, holding no object with a
// destructor: a longjmp over one would skip it. Returns false after an error.
bool Decode(jpeg_decompress_struct& cinfo, ErrorManager& errors, const std::uint8_t* data,
            std::size_t size, WorkImage& image) {
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.image_width > kMaxJpegSide || cinfo.image_height > kMaxJpegSide) {
    ERREXIT1(&cinfo, JERR_IMAGE_TOO_BIG, kMaxJpegSide);
  }
  cinfo.out_color_space = JCS_EXT_BGR;
  jpeg_start_decompress(&cinfo);
  image.SetSize(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height));
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = image.Row(static_cast<int>(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

}  // namespace

WorkImage DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr || size == 0) throw JpegError("Image JPEG vide");
  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  cinfo.err = jpeg_std_error(&errors.pub);
  errors.pub.error_exit = ErrorExit;
  errors.pub.emit_message = EmitMessage;
  WorkImage image;
  if (!Decode(cinfo, errors, data, size, image)) {
    throw JpegError(std::string("Image JPEG illisible : ") + errors.message);
  }
  return image;
}

}  // namespace verdal
