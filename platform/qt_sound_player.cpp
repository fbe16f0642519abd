// The sound output of the program: plays WAV images from memory through Qt Multimedia.
#include "platform/qt_sound_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QtDebug>

#include "common/clock.h"
#include "components/wave/wav_format.h"

namespace verdal {
namespace {

// A server may start a clip late: an idle null sink renders in blocks of 2 s, and the first
// clip after a silence waits for the block under way. Past that, a server that reports no
// progress must not keep a finished clip's stream forever.
constexpr std::int64_t kPlayOutGraceMs = 5000;

}  // namespace

QtSoundPlayer::QtSoundPlayer() {
  playedOutCheck_.setSingleShot(true);
  QObject::connect(&playedOutCheck_, &QTimer::timeout, [this] { StopWhenPlayedOut(); });
}

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
  // Idle means the sink has nothing more to hand over (or the server ran dry at the start),
  // not that the clip was heard: stopping there throws away what the server still holds,
  // the last tenth of a second of every clip, or all of it when the server starts late.
  QObject::connect(sink, &QAudioSink::stateChanged, sink, [this](QAudio::State state) {
    if (state == QAudio::IdleState) StopWhenPlayedOut();
  });
  clipUs_ = static_cast<std::int64_t>(format.durationForBytes(static_cast<qint32>(wav->dataSize)));
  startedMs_ = AppClock().NowMs();
  sink->start(buffer_.get());
  if (sink->error() != QAudio::NoError) {
    WarnOnce("la sortie audio refuse de s'ouvrir");
    Stop();
    return;
  }
  image_ = image.data();
}

void QtSoundPlayer::StopWhenPlayedOut() {
  if (!sink_ || sink_->state() != QAudio::IdleState) return;
  const std::int64_t leftUs = clipUs_ - sink_->processedUSecs();
  if (leftUs <= 0 || AppClock().NowMs() - startedMs_ > clipUs_ / 1000 + kPlayOutGraceMs) {
    sink_->stop();
    return;
  }
  playedOutCheck_.start(static_cast<int>(leftUs / 1000) + 1);
}

void QtSoundPlayer::Stop() {
  playedOutCheck_.stop();
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
