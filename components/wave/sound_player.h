// The program-wide sound output that embedded sounds play through.
#pragma once

#include <cstdint>
#include <span>

#include "common/installed_service.h"

namespace verdal {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;

  // Starts playing the WAV image and returns at once, cutting off whatever was playing.
  // The player reads image while it plays: the bytes must stay valid until Stop or the
  // next Play. An image it cannot play gives silence, with no substitute sound.
  virtual void Play(std::span<const std::uint8_t> image) = 0;
  // Ends the current sound at once; nothing is read afterwards.
  virtual void Stop() = 0;
  // True while the player may still read the image that starts at image.
  virtual bool IsPlaying(const std::uint8_t* image) const = 0;
};

// A player that never makes a sound: what runs until the program installs a real one.
class SilentSoundPlayer final : public SoundPlayer {
 public:
  void Play(std::span<const std::uint8_t> /*image*/) override {}
  void Stop() override {}
  bool IsPlaying(const std::uint8_t* /*image*/) const override { return false; }
};

// The player in use: a silent one unless the program or a test installed another. Like
// every sound call, used from the user-interface thread only.
SoundPlayer& AppSoundPlayer();
// Installs player (not owned) as AppSoundPlayer(); nullptr restores the silent one.
void InstallSoundPlayer(SoundPlayer* player);

// Installs a player for the lifetime of a scope, then restores the previous one.
class ScopedSoundPlayer : public InstalledService<SoundPlayer>::Scope {
 public:
  explicit ScopedSoundPlayer(SoundPlayer& player);
};

}  // namespace verdal
