// The blend kernel: D = floor((S * (32 - alpha) + T * alpha) / 32) over whole pixel runs.
#pragma once

#include <cstddef>
#include <cstdint>

namespace verdal {

// The reference: two channels per 32-bit multiplication (masks 0x00FF00FF and 0xFF00FF00,
// weights out of 32). Nothing is written for alpha 0. Every faster form must give its bytes.
void BlendKernelReference(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d,
                          std::size_t bytes, int alpha);
// The same arithmetic on 64-bit words, four channels per multiplication.
void BlendKernel64(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d, std::size_t bytes,
                   int alpha);
// Sixteen bytes per step with SSE2 (the 64-bit form where SSE2 is missing).
void BlendKernelSse2(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d,
                     std::size_t bytes, int alpha);
// Thirty-two bytes per step with AVX2 where the processor has it, else the SSE2 form.
void BlendKernelAvx2(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d,
                     std::size_t bytes, int alpha);
bool HasAvx2();
// The fastest of the above; what the transitions use.
void BlendKernel(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d, std::size_t bytes,
                 int alpha);

}  // namespace verdal
