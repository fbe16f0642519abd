// The blend kernel in its reference 32-bit form and its AVX2 form.
#include "components/lumofade/blend_kernel.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VERDAL_X86 1
#endif

namespace verdal {

void BlendKernelReference(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d,
                          std::size_t bytes, int alpha) {
  if (alpha == 0) return;
  const std::uint32_t a = static_cast<std::uint32_t>(alpha);
  const std::uint32_t b = 32 - a;
  const std::size_t words = bytes / 4;
  for (std::size_t i = 0; i < words; ++i) {
    std::uint32_t sw, tw;
    std::memcpy(&sw, s + 4 * i, 4);
    std::memcpy(&tw, t + 4 * i, 4);
    const std::uint32_t lo = (sw & 0x00FF00FFu) * b + (tw & 0x00FF00FFu) * a;
    const std::uint32_t hi = ((sw & 0xFF00FF00u) >> 5) * b + ((tw & 0xFF00FF00u) >> 5) * a;
    const std::uint32_t dw = (hi & 0xFF00FF00u) | ((lo >> 5) & 0x00FF00FFu);
    std::memcpy(d + 4 * i, &dw, 4);
  }
  // The bytes after the last whole word: the per-byte formula, which the word form equals.
  for (std::size_t i = words * 4; i < bytes; ++i) {
    d[i] = static_cast<std::uint8_t>((s[i] * (32 - a) + t[i] * a) >> 5);
  }
}

#if defined(VERDAL_X86)
namespace {

// Bytes of S and T interleaved, each pair multiplied by (32 - alpha, alpha) and summed in one
// instruction: at most 255 * 32, so the signed 16-bit sums never saturate.
[[gnu::target("avx2")]] void BlendKernelAvx2(const std::uint8_t* s, const std::uint8_t* t,
                                             std::uint8_t* d, std::size_t bytes, int alpha) {
  if (alpha == 0) return;
  const __m256i weights = _mm256_set1_epi16(static_cast<short>((alpha << 8) | (32 - alpha)));
  const std::size_t blocks = bytes / 32;
  for (std::size_t i = 0; i < blocks; ++i) {
    const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 32 * i));
    const __m256i tv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + 32 * i));
    // Unpack and pack both work within each 128-bit lane, so the bytes come back in order.
    const __m256i lo =
        _mm256_srli_epi16(_mm256_maddubs_epi16(_mm256_unpacklo_epi8(sv, tv), weights), 5);
    const __m256i hi =
        _mm256_srli_epi16(_mm256_maddubs_epi16(_mm256_unpackhi_epi8(sv, tv), weights), 5);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + 32 * i), _mm256_packus_epi16(lo, hi));
  }
  // The compiler leaves the upper halves dirty before its tail call, and every SSE instruction
  // run afterwards, anywhere in the program, would pay for it.
  _mm256_zeroupper();
  BlendKernelReference(s + 32 * blocks, t + 32 * blocks, d + 32 * blocks, bytes - 32 * blocks,
                       alpha);
}

}  // namespace
#endif

bool HasAvx2() {
#if defined(VERDAL_X86)
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
#else
  return false;
#endif
}

void BlendKernel(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d, std::size_t bytes,
                 int alpha) {
#if defined(VERDAL_X86)
  if (HasAvx2()) {
    BlendKernelAvx2(s, t, d, bytes, alpha);
    return;
  }
#endif
  BlendKernelReference(s, t, d, bytes, alpha);
}

}  // namespace verdal
