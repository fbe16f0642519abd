// JPEG decoding into the work-image layout, checked against a picture the test encodes.
#include "components/lumofade/jpeg_decoder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>
// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace verdal {
namespace {

// Encodes width x height blue-green-red pixels (tightly packed) at the best quality.
std::vector<std::uint8_t> EncodeJpeg(const std::vector<std::uint8_t>& bgr, int width, int height) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = width;
  cinfo.image_height = height;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 100, TRUE);
  // No chroma subsampling: every pixel keeps its own colour, so the comparison can be tight.
  for (int c = 0; c < 3; ++c)
    cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<std::uint8_t*>(bgr.data()) + cinfo.next_scanline * width * 3;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> file(out, out + size);
  std::free(out);
  return file;
}

// Four flat quadrants of 16 x 16 pixels, so compression leaves them nearly exact.
std::vector<std::uint8_t> Quadrants(int width, int height) {
  const std::uint8_t colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {40, 120, 200}};
  std::vector<std::uint8_t> bgr(width * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto* c = colours[(y >= height / 2) * 2 + (x >= width / 2)];
      std::copy(c, c + 3, bgr.begin() + (y * width + x) * 3);
    }
  }
  return bgr;
}

TEST(JpegDecoder, DecodesIntoPaddedBlueGreenRedRows) {
  const int width = 33, height = 32;  // 99 bytes a row, padded to 100
  const std::vector<std::uint8_t> bgr = Quadrants(width, height);
  const std::vector<std::uint8_t> file = EncodeJpeg(bgr, width, height);
  const WorkImage image = DecodeJpeg(file.data(), file.size());
  ASSERT_EQ(image.Width(), width);
  ASSERT_EQ(image.Height(), height);
  EXPECT_EQ(image.RowSize(), 100);
  int worst = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width * 3; ++x) {
      worst = std::max(worst, std::abs(image.Row(y)[x] - bgr[(y * width) * 3 + x]));
    }
  }
  EXPECT_LE(worst, 3);
  // Away from the edges the quadrants come back within a step or two.
  EXPECT_NEAR(image.Row(4)[0], 255, 2);
  EXPECT_NEAR(image.Row(4)[1], 0, 2);
  EXPECT_NEAR(image.Row(28)[3 * 30 + 2], 200, 2);
}

TEST(JpegDecoder, RefusesCorruptAndTruncatedFiles) {
  const std::vector<std::uint8_t> file = EncodeJpeg(Quadrants(32, 32), 32, 32);
  std::vector<std::uint8_t> truncated(file.begin(), file.begin() + file.size() / 2);
  std::vector<std::uint8_t> garbage(200, 0x5A);
  std::vector<std::uint8_t> broken = {0xFF, 0xD8, 0xFF, 0xD9};  // start and end, no picture
  for (const auto* bytes : {&truncated, &garbage, &broken}) {
    try {
      DecodeJpeg(bytes->data(), bytes->size());
      ADD_FAILURE() << "decoded " << bytes->size() << " bytes";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find("JPEG"), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(DecodeJpeg(nullptr, 0), JpegError);
}

}  // namespace
}  // namespace verdal
