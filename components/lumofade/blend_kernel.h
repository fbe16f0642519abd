// The blend kernel: D = floor((S * (32 - alpha) + T * alpha) / 32) over whole pixel runs.
#pragma once

#include <cstddef>
#include <cstdint>

namespace verdal {

// The reference: two channels per 32-bit multiplication (masks 0x00FF00FF and 0xFF00FF00,
// weights out of 32). Nothing is written for alpha 0. The fast form must give its bytes.
void BlendKernelReference(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d,
                          std::size_t bytes, int alpha);
// Whether the processor runs the AVX2 form.
bool HasAvx2();
// What the transitions use: thirty-two bytes per step with AVX2 where the processor has it,
// else the reference.
void BlendKernel(const std::uint8_t* s, const std::uint8_t* t, std::uint8_t* d, std::size_t bytes,
                 int alpha);

}  // namespace verdal
