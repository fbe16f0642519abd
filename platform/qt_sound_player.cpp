// The sound output of the program: plays WAV images from memory through Qt Multimedia.
#include "platform/qt_sound_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
#include <QtDebug>
#include <algorithm>
#include <utility>

#include "common/clock.h"
#include "components/wave/wav_format.h"

namespace verdal {
namespace {

// A server may start a clip late: an idle null sink renders in blocks of 2 s, and the first
// clip after a silence waits for the block under way. Past that, a server that reports no
// progress must not keep a finished clip's stream forever.
constexpr std::int64_t kPlayOutGraceMs = 5000;
// Written at once: the server holds megabytes, so every clip of the game goes in one write;
// a longer one is topped up as it plays.
constexpr std::int64_t kWrittenAheadUs = 4'000'000;
constexpr int kFeedMs = 50;
// The stream opened ahead keeps the desktop's sound output awake: it is closed once the
// program has made no sound for this long, and the next clip opens its own.
constexpr int kKeepOpenMs = 60'000;

}  // namespace

QtSoundPlayer::QtSoundPlayer() {
  playedOutCheck_.setSingleShot(true);
  QObject::connect(&playedOutCheck_, &QTimer::timeout, [this] { StopWhenPlayedOut(); });
  feed_.setInterval(kFeedMs);
  QObject::connect(&feed_, &QTimer::timeout, [this] {
    if (current_.sink && !Write(current_.sink->bytesFree())) Stop();
  });
  openAhead_.setSingleShot(true);
  openAhead_.setInterval(0);
  QObject::connect(&openAhead_, &QTimer::timeout, [this] { OpenAhead(); });
  keepOpen_.setSingleShot(true);
  keepOpen_.setInterval(kKeepOpenMs);
  QObject::connect(&keepOpen_, &QTimer::timeout, [this] { Close(ahead_); });
}

QtSoundPlayer::~QtSoundPlayer() {
  openAhead_.stop();
  keepOpen_.stop();
  Stop();
  Close(ahead_);
}

void QtSoundPlayer::Close(Output& output) {
  // Qt lets events through while it closes a stream: the member is cleared first, so that
  // a timer that fires meanwhile finds it empty rather than half torn down.
  const Output closing = std::exchange(output, {});
}

QtSoundPlayer::Output QtSoundPlayer::Open(const QAudioDevice& device, const QAudioFormat& format) {
  Output output{std::make_unique<QAudioSink>(device, format), nullptr, device, format};
  output.input = output.sink->start();
  if (!output.input || output.sink->error() != QAudio::NoError) return {};
  return output;
}

void QtSoundPlayer::OpenAhead() {
  if (ahead_.sink || lastDevice_.isNull()) return;
  Output opened = Open(lastDevice_, lastFormat_);
  if (!ahead_.sink) ahead_ = std::move(opened);
}

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
  if (device.isNull()) {
    Close(ahead_);
    return;
  }
  if (!device.isFormatSupported(format)) {
    WarnOnce("format non pris en charge par la sortie audio");
    return;
  }
  const bool aheadFits = ahead_.sink && ahead_.device == device && ahead_.format == format &&
                         ahead_.sink->error() == QAudio::NoError;
  if (aheadFits) {
    current_ = std::exchange(ahead_, {});
  } else {
    Close(ahead_);
    current_ = Open(device, format);
  }
  if (!current_.sink) {
    WarnOnce("la sortie audio refuse de s'ouvrir");
    return;
  }
  QAudioSink* sink = current_.sink.get();
  // Idle means the server has taken every sample (or ran dry at the start), not that the
  // clip was heard: stopping there throws away what it still holds, the last tenth of a
  // second of every clip, or all of it when the server starts late.
  QObject::connect(sink, &QAudioSink::stateChanged, sink, [this](QAudio::State state) {
    if (state == QAudio::IdleState) StopWhenPlayedOut();
  });
  left_ = image.subspan(wav->dataOffset, wav->dataSize);
  // A stream starts to play once it holds a set amount, at most its buffer: a shorter clip
  // is made up to it with silence, or it would wait for the next one.
  padding_ =
      std::max<std::int64_t>(0, sink->bufferSize() - static_cast<std::int64_t>(wav->dataSize));
  padding_ -= padding_ % std::max(1, format.bytesPerFrame());
  clipUs_ = static_cast<std::int64_t>(format.durationForBytes(
      static_cast<qint32>(wav->dataSize + static_cast<std::size_t>(padding_))));
  startedMs_ = AppClock().NowMs();
  image_ = image.data();
  if (!Write(format.bytesForDuration(kWrittenAheadUs))) {
    WarnOnce("la sortie audio refuse les sons");
    Stop();
    return;
  }
  lastDevice_ = device;
  lastFormat_ = format;
  openAhead_.start();
  keepOpen_.start();
}

bool QtSoundPlayer::Write(std::int64_t most) {
  QIODevice* input = current_.input;
  const std::int64_t samples =
      std::min<std::int64_t>(most, static_cast<std::int64_t>(left_.size()));
  if (samples > 0) {
    const qint64 written = input->write(reinterpret_cast<const char*>(left_.data()), samples);
    if (written <= 0) return false;
    left_ = left_.subspan(static_cast<std::size_t>(written));
    most -= written;
  }
  if (left_.empty() && padding_ > 0 && most > 0) {
    const char silence = current_.format.sampleFormat() == QAudioFormat::UInt8 ? '\x80' : '\0';
    const QByteArray quiet(static_cast<qsizetype>(std::min(most, padding_)), silence);
    const qint64 written = input->write(quiet);
    if (written <= 0) return false;
    padding_ -= written;
  }
  const bool more = !left_.empty() || padding_ > 0;
  if (more && !feed_.isActive()) feed_.start();
  if (!more) feed_.stop();
  return true;
}

void QtSoundPlayer::StopWhenPlayedOut() {
  if (!current_.sink || current_.sink->state() != QAudio::IdleState) return;
  const std::int64_t leftUs = clipUs_ - current_.sink->processedUSecs();
  if (leftUs <= 0 || AppClock().NowMs() - startedMs_ > clipUs_ / 1000 + kPlayOutGraceMs) {
    current_.sink->stop();
    return;
  }
  playedOutCheck_.start(static_cast<int>(leftUs / 1000) + 1);
}

void QtSoundPlayer::Stop() {
  playedOutCheck_.stop();
  feed_.stop();
  // Closing the stream drops what the server still holds of the clip.
  if (current_.sink) current_.sink->stop();
  Close(current_);
  left_ = {};
  padding_ = 0;
  image_ = nullptr;
}

bool QtSoundPlayer::IsPlaying(const std::uint8_t* image) const {
  // Until Stop or the next Play: a long clip is written as it plays.
  return current_.sink && image_ == image;
}

QAudio::State QtSoundPlayer::SinkState() const {
  return current_.sink ? current_.sink->state() : QAudio::StoppedState;
}

void QtSoundPlayer::WarnOnce(const char* why) {
  if (warned_) return;
  warned_ = true;
  qWarning("VERDAL : sons muets (%s)", why);
}

}  // namespace verdal
