// Figures of the game core: loading the dictionary, building the word pool.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "game/dictionary_file.h"
#include "game/unit_var.h"
#include "game/word_pool.h"
#include "tests/game/game_files.h"

namespace verdal {
namespace {

// Median of many runs, in microseconds: one slow run on a shared machine says little.
double MedianMicroseconds(const std::function<void()>& run, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    run();
    times.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
  return times[runs / 2];
}

int Main() {
  test::TempCurrentDir dir;
  test::WriteBytes("mots", test::StandardDictionaryBytes());
  std::vector<std::string> personal;
  for (int k = 0; k < kPersonalCapacity; ++k) {
    personal.push_back(test::SyntheticWord(k, 6 + k % 3));
  }
  test::WriteBytes("perso", test::PersoText(personal, "\r\n"));

  std::printf("figure load_dictionary_us %.0f us\n", MedianMicroseconds(LoadDictionary, 101));

  CurrentSettings = test::Settings(7, 3, 1);  // Complet with the personal list
  std::int32_t count = 0;
  double build = MedianMicroseconds([&] { count = BuildWordPool(); }, 101);
  std::printf("figure build_pool_us %.0f us\n", build);
  std::printf("figure build_pool_words %d words\n", count);
  return 0;
}

}  // namespace
}  // namespace verdal

int main() { return verdal::Main(); }
