// The program-wide pseudo-random generator.
#include "common/random.h"

#include "common/clock.h"

namespace verdal {
namespace {
std::uint32_t g_seed = 0;
}

std::uint32_t RandomSeed() { return g_seed; }

void SetRandomSeed(std::uint32_t seed) { g_seed = seed; }

void SeedRandomFromClock() { g_seed = AppClock().MillisecondsSinceMidnightUtc(); }

std::uint32_t RandomBelow(std::uint32_t n) {
  g_seed = g_seed * 0x08088405u + 1u;  // wraps modulo 2^32 by unsigned arithmetic
  return static_cast<std::uint32_t>((std::uint64_t{g_seed} * n) >> 32);
}

}  // namespace verdal
