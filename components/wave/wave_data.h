// TWaveData: the holder of one WAV file image, stored in a screen description and played from
// memory.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "components/description/persistent.h"

namespace verdal {

class TWaveData : public TPersistent {
 public:
  ~TWaveData() override;

  std::string_view ClassName() const override { return "TWaveData"; }

  // Stops the platform first if it may still be reading the bytes it releases.
  void Clear();
  bool IsEmpty() const { return size_ == 0; }
  std::span<const std::uint8_t> Bytes() const {
    return {bytes_.get(), static_cast<std::size_t>(size_)};
  }

  // Holds a copy of count bytes from source; a count of 0 or less leaves the holder empty.
  void SetData(std::int32_t count, const std::uint8_t* source);
  // No source empties the holder; another holder is deep-copied; anything else is refused
  // with EConvertError and the holder is unchanged.
  void Assign(const TPersistent* source) override;
  // Declares the stored property "Data", stored only when the holder is not empty.
  void DefineProperties(TFiler& filer) override;

  // The "Data" block: a 32-bit little-endian length N, then the N bytes of the image.
  // A block whose N is 0, negative or larger than what follows leaves the holder empty.
  virtual void ReadData(ByteReader& stream);
  virtual void WriteData(ByteWriter& stream) const;
  // Replaces the content by the whole named file; a missing file leaves the holder empty,
  // any other failure raises IoError.
  virtual void LoadFromFile(const std::string& name);
  // Starts the held sound without waiting; an empty holder is silent.
  virtual void Play() const;

 private:
  std::unique_ptr<std::uint8_t[]> bytes_;
  std::int32_t size_ = 0;
};

}  // namespace verdal
