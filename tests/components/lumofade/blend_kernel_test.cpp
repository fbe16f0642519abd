// The blend kernel: the per-byte examples, and the fast form equal to the reference.
#include "components/lumofade/blend_kernel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

namespace verdal {
namespace {

std::uint8_t BlendByte(std::uint8_t s, std::uint8_t t, int alpha) {
  std::vector<std::uint8_t> sv(4, s), tv(4, t), dv(4, 99);
  BlendKernelReference(sv.data(), tv.data(), dv.data(), 4, alpha);
  return dv[0];
}

TEST(BlendKernel, ReferenceGivesTheDocumentedBytes) {
  EXPECT_EQ(BlendByte(255, 0, 16), 127);
  EXPECT_EQ(BlendByte(0, 255, 1), 7);
  EXPECT_EQ(BlendByte(200, 13, 32), 13);
  EXPECT_EQ(BlendByte(255, 0, 0), 99);  // weight 0 writes nothing at all
  for (int alpha = 1; alpha <= 32; ++alpha) {
    for (int v : {0, 1, 77, 128, 254, 255}) EXPECT_EQ(BlendByte(v, v, alpha), v) << alpha;
    for (int s = 0; s < 256; s += 5) {
      for (int t = 0; t < 256; t += 3) {
        ASSERT_EQ(BlendByte(s, t, alpha), (s * (32 - alpha) + t * alpha) / 32);
      }
    }
  }
}

// Random buffers of awkward lengths (not multiples of 8 or 32, odd start offsets) at every
// weight: the fast form must write exactly the reference's bytes and nothing beyond.
TEST(BlendKernel, FastFormMatchesTheReferenceByteForByte) {
  if (!HasAvx2()) std::printf("no AVX2 here: the fast form is the reference\n");
  std::mt19937 random(12345);
  for (std::size_t length : {0u, 4u, 12u, 20u, 36u, 1'000u, 1'444u, 1'440'000u}) {
    std::vector<std::uint8_t> s(length + 3), t(length + 3), init(length + 3);
    for (std::size_t i = 0; i < length + 3; ++i) {
      s[i] = static_cast<std::uint8_t>(random());
      t[i] = static_cast<std::uint8_t>(random());
      init[i] = static_cast<std::uint8_t>(random());
    }
    for (int alpha = 0; alpha <= 32; ++alpha) {
      const std::size_t offset = alpha % 4;
      std::vector<std::uint8_t> expected = init, actual = init;
      BlendKernelReference(s.data() + offset, t.data() + offset, expected.data() + offset, length,
                           alpha);
      BlendKernel(s.data() + offset, t.data() + offset, actual.data() + offset, length, alpha);
      ASSERT_EQ(actual, expected) << "length " << length << " alpha " << alpha;
    }
  }
}

}  // namespace
}  // namespace verdal
