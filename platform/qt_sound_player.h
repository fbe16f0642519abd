// The sound output of the program: plays WAV images from memory through Qt Multimedia.
#pragma once

#include <QAudio>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <span>

#include "components/wave/sound_player.h"

class QAudioSink;
class QIODevice;

namespace verdal {

// One clip at a time, written whole into an output stream of the sound server, which queues
// it. Opening a stream makes the server set one up first (tens of milliseconds on PipeWire),
// so once a clip has played, a stream for the next one is opened ahead and kept for a while:
// a clip then starts as soon as it is written, and cutting one off is closing its stream,
// which drops what the server still holds. The stream goes idle once the server has taken
// every sample, which it still has to play: it is let go only when the whole clip has
// sounded. With no audio output, or an image it cannot play, it stays silent. Where there is
// no output at all Qt logs one line itself; an output that refuses the clips is logged once.
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
  // Whether a stream is open ahead for the next clip.
  bool HasOutputAhead() const { return ahead_.sink != nullptr; }

 private:
  // A stream of the sound server, and where its samples are written (owned by the sink).
  struct Output {
    std::unique_ptr<QAudioSink> sink;
    QIODevice* input = nullptr;
    QAudioDevice device;
    QAudioFormat format;
  };
  static Output Open(const QAudioDevice& device, const QAudioFormat& format);
  static void Close(Output& output);
  void OpenAhead();
  // Writes up to most bytes of what is left of the clip, then its padding; false on a
  // stream that refuses them.
  bool Write(std::int64_t most);
  void WarnOnce(const char* why);
  // Stops an idle sink once the clip has been played out, or looks again when it should be.
  void StopWhenPlayedOut();

  Output current_;
  Output ahead_;
  QAudioDevice lastDevice_;  // where the last clip played, and in which format
  QAudioFormat lastFormat_;
  std::span<const std::uint8_t> left_;  // the clip's samples not written yet
  std::int64_t padding_ = 0;            // silence written after them
  const std::uint8_t* image_ = nullptr;
  std::int64_t clipUs_ = 0;
  std::int64_t startedMs_ = 0;
  QTimer playedOutCheck_;
  QTimer feed_;       // writes the rest of a long clip as the stream makes room
  QTimer openAhead_;  // opens the next stream once the clip has started
  QTimer keepOpen_;   // closes the stream opened ahead after a long silence
  bool warned_ = false;
};

}  // namespace verdal
