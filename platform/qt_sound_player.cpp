// The sound output of the program: plays WAV images from memory through Qt Multimedia.
#include "platform/qt_sound_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QtDebug>

#include "components/wave/wav_format.h"

namespace verdal {

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer() { Stop(); }

void QtSoundPlayer::Play(std::span<const std::uint8_t> image) {
  // A new sound always cuts the previous one off, even when the new one cannot play.
  Stop();
  std::optional<WavFormat> wav = ParseWav(image);
  if (!wav) return;

  QAudioFormat format;
  format.setSampleRate(wav->sampleRate);
  format.setChannelCount(wav->channels);
  format.setSampleFormat(wav->bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);

  QAudioDevice device = QMediaDevices::defaultAudioOutput();
  // Without any output Qt has already said so on the log, once: stay silent.
  if (device.isNull()) return;
  if (!device.isFormatSupported(format)) {
    WarnOnce("format non pris en charge par la sortie audio");
    return;
  }

  samples_ = QByteArray::fromRawData(reinterpret_cast<const char*>(image.data() + wav->dataOffset),
                                     static_cast<qsizetype>(wav->dataSize));
  buffer_ = std::make_unique<QBuffer>(&samples_);
  buffer_->open(QIODevice::ReadOnly);
  sink_ = std::make_unique<QAudioSink>(device, format);
  QAudioSink* sink = sink_.get();
  // At the end of the samples the sink goes idle; stopping it lets the device go.
  QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
    if (state == QAudio::IdleState) sink->stop();
  });
  sink->start(buffer_.get());
  if (sink->error() != QAudio::NoError) {
    WarnOnce("la sortie audio refuse de s'ouvrir");
    Stop();
    return;
  }
  image_ = image.data();
}

void QtSoundPlayer::Stop() {
  if (sink_) sink_->stop();
  sink_.reset();
  buffer_.reset();
  samples_.clear();
  image_ = nullptr;
}

bool QtSoundPlayer::IsPlaying(const std::uint8_t* image) const {
  // Until Stop or the next Play the sink may hold on to the bytes, even once it fell idle.
  return sink_ && image_ == image;
}

QAudio::State QtSoundPlayer::SinkState() const {
  return sink_ ? sink_->state() : QAudio::StoppedState;
}

void QtSoundPlayer::WarnOnce(const char* why) {
  if (warned_) return;
  warned_ = true;
  qWarning("VERDAL : sons muets (%s)", why);
}

}  // namespace verdal
