// The blend kernel in its reference 32-bit form and its wider forms.
#include "components/lumofade/blend_kernel.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VERDAL_X86 1
#endif

namespace verdal {
namespace {

// The bytes after the last whole word: the per-byte formula, which the word forms equal.
void BlendTail(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d, std::size_t from,
               std::size_t bytes, int alpha) {
  for (std::size_t i = from; i < bytes; ++i) {
    d[i] = static_cast<std::uint8_t>((s[i] * (32 - alpha) + t[i] * alpha) >> 5);
  }
}

}  // namespace

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
  BlendTail(s, t, d, words * 4, bytes, alpha);
}

void BlendKernel64(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d, std::size_t bytes,
                   int alpha) {
  if (alpha == 0) return;
  constexpr std::uint64_t kLow = 0x00FF00FF00FF00FFull;
  constexpr std::uint64_t kHigh = 0xFF00FF00FF00FF00ull;
  const std::uint64_t a = static_cast<std::uint64_t>(alpha);
  const std::uint64_t b = 32 - a;
  const std::size_t words = bytes / 8;
  for (std::size_t i = 0; i < words; ++i) {
    std::uint64_t sw, tw;
    std::memcpy(&sw, s + 8 * i, 8);
    std::memcpy(&tw, t + 8 * i, 8);
    const std::uint64_t lo = (sw & kLow) * b + (tw & kLow) * a;
    const std::uint64_t hi = ((sw & kHigh) >> 5) * b + ((tw & kHigh) >> 5) * a;
    const std::uint64_t dw = (hi & kHigh) | ((lo >> 5) & kLow);
    std::memcpy(d + 8 * i, &dw, 8);
  }
  BlendTail(s, t, d, words * 8, bytes, alpha);
}

void BlendKernelSse2(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d,
                     std::size_t bytes, int alpha) {
#if defined(VERDAL_X86) && defined(__SSE2__)
  if (alpha == 0) return;
  const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
  const __m128i b = _mm_set1_epi16(static_cast<short>(32 - alpha));
  const __m128i zero = _mm_setzero_si128();
  const std::size_t blocks = bytes / 16;
  for (std::size_t i = 0; i < blocks; ++i) {
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16 * i));
    const __m128i tv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + 16 * i));
    // Each byte widened to 16 bits: at most 255 * 32, so no lane overflows.
    const __m128i lo =
        _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(sv, zero), b),
                                     _mm_mullo_epi16(_mm_unpacklo_epi8(tv, zero), a)),
                       5);
    const __m128i hi =
        _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(sv, zero), b),
                                     _mm_mullo_epi16(_mm_unpackhi_epi8(tv, zero), a)),
                       5);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16 * i), _mm_packus_epi16(lo, hi));
  }
  BlendKernel64(s + 16 * blocks, t + 16 * blocks, d + 16 * blocks, bytes - 16 * blocks, alpha);
#else
  BlendKernel64(s, t, d, bytes, alpha);
#endif
}

#if defined(VERDAL_X86)
// Bytes of S and T interleaved, each pair multiplied by (32 - alpha, alpha) and summed in one
// instruction: at most 255 * 32, so the signed 16-bit sums never saturate.
[[gnu::target("avx2")]] void BlendKernelAvx2Impl(const std::uint8_t* s, const std::uint8_t* t,
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
  BlendKernel64(s + 32 * blocks, t + 32 * blocks, d + 32 * blocks, bytes - 32 * blocks, alpha);
}
#endif

bool HasAvx2() {
#if defined(VERDAL_X86)
  static const bool has = __builtin_cpu_supports("avx2");
  return has;
#else
  return false;
#endif
}

void BlendKernelAvx2(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d,
                     std::size_t bytes, int alpha) {
#if defined(VERDAL_X86)
  if (HasAvx2()) {
    BlendKernelAvx2Impl(s, t, d, bytes, alpha);
    return;
  }
#endif
  BlendKernelSse2(s, t, d, bytes, alpha);
}

void BlendKernel(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d, std::size_t bytes,
                 int alpha) {
  BlendKernelAvx2(s, t, d, bytes, alpha);
}

}  // namespace verdal
