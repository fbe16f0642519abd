// TWaveData: the holder of one WAV file image, stored in a screen description and played from
// memory.
#include "components/wave/wave_data.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <limits>

#include "common/io_error.h"
#include "common/posix_file.h"
#include "components/wave/sound_player.h"

namespace verdal {

TWaveData::~TWaveData() { Clear(); }

void TWaveData::Clear() {
  if (!bytes_) return;
  // The platform plays from these very bytes: it must let go of them before they are freed.
  SoundPlayer& player = AppSoundPlayer();
  if (player.IsPlaying(bytes_.get())) player.Stop();
  bytes_.reset();
  size_ = 0;
}

void TWaveData::SetData(std::int32_t count, const std::uint8_t* source) {
  // Copy before releasing, so that a holder given its own bytes keeps them.
  std::unique_ptr<std::uint8_t[]> copy;
  if (count > 0) {
    copy = std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(count));
    std::memcpy(copy.get(), source, static_cast<std::size_t>(count));
  }
  Clear();
  if (copy) {
    bytes_ = std::move(copy);
    size_ = count;
  }
}

void TWaveData::Assign(const TPersistent* source) {
  if (source == nullptr) {
    Clear();
  } else if (const auto* other = dynamic_cast<const TWaveData*>(source)) {
    if (other != this) SetData(other->size_, other->bytes_.get());
  } else {
    TPersistent::Assign(source);
  }
}

void TWaveData::DefineProperties(TFiler& filer) {
  TPersistent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Data", [this](ByteReader& stream) { ReadData(stream); },
      [this](ByteWriter& stream) { WriteData(stream); }, !IsEmpty());
}

void TWaveData::ReadData(ByteReader& stream) {
  Clear();
  // A length the block cannot hold is a damaged description: stay empty rather than hold
  // bytes that were never stored. The block is ours alone, so reading goes on after it.
  if (stream.Remaining() < 4) return;
  std::int32_t count = stream.ReadI32();
  if (count <= 0 || static_cast<std::size_t>(count) > stream.Remaining()) return;
  SetData(count, stream.ReadBytes(static_cast<std::size_t>(count)).data());
}

void TWaveData::WriteData(ByteWriter& stream) const {
  stream.WriteI32(size_);
  stream.WriteBytes(Bytes());
}

void TWaveData::LoadFromFile(const std::string& name) {
  Clear();
  std::error_code missing;
  if (!std::filesystem::exists(name, missing)) return;
  PosixFile file = PosixFile::Open(name, O_RDONLY);
  const std::string content = file.ReadAll();
  file.Close();
  if (content.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw IoError(kErrnoCodeBase + EFBIG);
  }
  SetData(static_cast<std::int32_t>(content.size()),
          reinterpret_cast<const std::uint8_t*>(content.data()));
}

void TWaveData::Play() const {
  if (IsEmpty()) return;
  AppSoundPlayer().Play(Bytes());
}

}  // namespace verdal
