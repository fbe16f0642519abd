// The program-wide pseudo-random generator, shared by the word draw and the dissolve.
#pragma once

#include <cstdint>

namespace verdal {

// One 32-bit seed for the whole program. A draw below n advances the seed as
// seed * 0x08088405 + 1 (mod 2^32) and returns the upper half of seed * n.
std::uint32_t RandomSeed();
void SetRandomSeed(std::uint32_t seed);

// Seeds from the milliseconds since midnight of the current universal time,
// as the installed clock (common/clock.h) reports them.
void SeedRandomFromClock();

// A value from 0 to n - 1; 0 when n is 0.
std::uint32_t RandomBelow(std::uint32_t n);

}  // namespace verdal
