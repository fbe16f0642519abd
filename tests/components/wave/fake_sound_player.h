// A sound player for tests: records what it is asked to play and checks the bytes it holds.
#pragma once

#include <cstdint>
#include <numeric>
#include <span>
#include <vector>

#include "components/wave/sound_player.h"

namespace verdal {

class FakeSoundPlayer final : public SoundPlayer {
 public:
  void Play(std::span<const std::uint8_t> image) override {
    played.emplace_back(image.begin(), image.end());
    current_ = image;
  }
  // Reads the whole image it lets go of, as a real player might at that moment: under the
  // address sanitizer this fails if the holder freed the bytes first.
  void Stop() override {
    lastStoppedSum = std::accumulate(current_.begin(), current_.end(), 0u);
    ++stops;
    current_ = {};
  }
  bool IsPlaying(const std::uint8_t* image) const override {
    return image != nullptr && image == current_.data();
  }
  const std::uint8_t* Current() const { return current_.data(); }

  std::vector<std::vector<std::uint8_t>> played;
  int stops = 0;
  unsigned lastStoppedSum = 0;

 private:
  std::span<const std::uint8_t> current_;
};

}  // namespace verdal
