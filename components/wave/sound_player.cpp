// The program-wide sound output that embedded sounds play through.
#include "components/wave/sound_player.h"

namespace verdal {
namespace {

SilentSoundPlayer silentPlayer;
constinit InstalledService<SoundPlayer> installedPlayer(silentPlayer);

}  // namespace

SoundPlayer& AppSoundPlayer() { return installedPlayer.Get(); }

void InstallSoundPlayer(SoundPlayer* player) { installedPlayer.Install(player); }

ScopedSoundPlayer::ScopedSoundPlayer(SoundPlayer& player) : Scope(installedPlayer, player) {}

}  // namespace verdal
