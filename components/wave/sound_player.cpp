// The program-wide sound output that embedded sounds play through.
#include "components/wave/sound_player.h"

namespace verdal {
namespace {

SilentSoundPlayer silentPlayer;
SoundPlayer* installedPlayer = nullptr;

}  // namespace

SoundPlayer& AppSoundPlayer() { return installedPlayer ? *installedPlayer : silentPlayer; }

void InstallSoundPlayer(SoundPlayer* player) { installedPlayer = player; }

ScopedSoundPlayer::ScopedSoundPlayer(SoundPlayer& player) : previous_(installedPlayer) {
  installedPlayer = &player;
}

ScopedSoundPlayer::~ScopedSoundPlayer() { installedPlayer = previous_; }

}  // namespace verdal
