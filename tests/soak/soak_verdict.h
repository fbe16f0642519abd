// The verdict both soaks give on their memory curve.
#pragma once

#include <gtest/gtest.h>

#include <iostream>

#include "tests/soak/memory_curve.h"

namespace verdal::test {

// Resident memory moves by a few hundred kilobytes as the allocator keeps and hands back
// pages; live blocks by less. A leak of one small block per step or deal climbs past both
// within the run. In a checked build resident memory also holds the checker's own records
// (allocation stacks, shadow, history), which grow on their own: there the live blocks alone
// speak for the program.
inline constexpr double kResidentMarginMegabytes = 3.0;
inline constexpr double kHeapMarginMegabytes = 1.0;

inline void ExpectFlat(const std::string& name, const MemoryCurve& curve,
                       const std::string& workUnit) {
  PrintCurve(std::cout, name, curve, workUnit);
  const GrowthVerdict heap = curve.Judge(&MemorySample::heap, kHeapMarginMegabytes);
  const GrowthVerdict resident = curve.Judge(&MemorySample::resident, kResidentMarginMegabytes);
  ASSERT_TRUE(heap.judged) << curve.Samples().size() << " samples";
  EXPECT_FALSE(heap.grows) << "live blocks grew by " << heap.growth << " MB";
  if (ResidentMemoryIsTheProgramsOwn()) {
    EXPECT_FALSE(resident.grows) << "resident memory grew by " << resident.growth << " MB";
  }
}

}  // namespace verdal::test
