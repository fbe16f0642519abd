// Fuzz target: a screen description read back into the game screen's two sound components.
#include <algorithm>
#include <memory>
#include <vector>

#include "components/description/description.h"
#include "components/wave/wav_format.h"
#include "components/wave/wave.h"
#include "fuzz/fuzz_files.h"

using namespace verdal;

namespace {

// Stores the component and reads it into a fresh one: the same bytes come back.
void CheckRoundTrip(TWave& wave) {
  const std::vector<std::uint8_t> stored = WriteComponents({SaveComponent(wave)});
  TWave copy;
  copy.Name = wave.Name;
  LoadComponent(copy, ReadComponents(stored));
  const auto a = wave.WaveData().Bytes();
  const auto b = copy.WaveData().Bytes();
  VERDAL_FUZZ_CHECK(std::equal(a.begin(), a.end(), b.begin(), b.end()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto description = std::make_unique<std::uint8_t[]>(size);
  std::copy(data, data + size, description.get());
  std::vector<ComponentRecord> records;
  try {
    records = ReadComponents({description.get(), size});
  } catch (const EReadError&) {
    return 0;
  }
  for (const char* name : {"Wave_jaune", "Wave_rouge"}) {
    TWave wave;
    wave.Name = name;
    try {
      LoadComponent(wave, records);
    } catch (const EReadError&) {
      continue;
    }
    // The game plays what it holds; the checker decides whether that is a sound.
    std::ignore = ParseWav(wave.WaveData().Bytes());
    wave.Play();
    CheckRoundTrip(wave);
  }
  return 0;
}
