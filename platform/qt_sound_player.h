// The sound output of the program: plays WAV images from memory through Qt Multimedia.
#pragma once

#include <QAudio>
#include <QByteArray>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <span>

#include "components/wave/sound_player.h"

class QAudioSink;
class QBuffer;

namespace verdal {

// One clip at a time, pulled by a QAudioSink from a QBuffer over the caller's bytes (no
// copy). The sink goes idle once it has handed the last samples to the sound server, which
// still has to play them: it is let go only when the whole clip has sounded. With no audio
// output, or an image it cannot play, it stays silent. Where there is no output at all Qt
// logs one line itself; an output that refuses the clips is logged once by the player.
class QtSoundPlayer final : public SoundPlayer {
 public:
  QtSoundPlayer();
  ~QtSoundPlayer() override;
  QtSoundPlayer(const QtSoundPlayer&) = delete;
  QtSoundPlayer& operator=(const QtSoundPlayer&) = delete;

  void Play(std::span<const std::uint8_t> image) override;
  void Stop() override;
  bool IsPlaying(const std::uint8_t* image) const override;
  // The output's state: active while a clip sounds, stopped once it ran out or was cut.
  QAudio::State SinkState() const;

 private:
  void WarnOnce(const char* why);
  // Stops an idle sink once the clip has been played out, or looks again when it should be.
  void StopWhenPlayedOut();

  // Declared in this order so that the sink, which reads the buffer, goes first.
  QByteArray samples_;
  std::unique_ptr<QBuffer> buffer_;
  std::unique_ptr<QAudioSink> sink_;
  const std::uint8_t* image_ = nullptr;
  std::int64_t clipUs_ = 0;
  std::int64_t startedMs_ = 0;
  QTimer playedOutCheck_;
  bool warned_ = false;
};

}  // namespace verdal
