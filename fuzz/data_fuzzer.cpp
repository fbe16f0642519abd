// Fuzz target: "data" read by ReadSettings, whatever its bytes and length.
#include <cstring>

#include "common/io_error.h"
#include "fuzz/fuzz_files.h"
#include "game/records.h"
#include "game/settings_file.h"
#include "game/unit_var.h"

using namespace verdal;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterPrivateFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteInput(kSettingsFileName, data, size);
  CurrentSettings = SettingsRecord{};
  try {
    ReadSettings();
  } catch (const IoError& e) {
    // Only a file shorter than a record is refused, and then nothing is taken from it.
    VERDAL_FUZZ_CHECK(e.Code() == ioReadPastEnd && size < SettingsRecord::kSize);
    VERDAL_FUZZ_CHECK(CurrentSettings == SettingsRecord{});
    return 0;
  }
  // The first 40 bytes, whatever follows them.
  VERDAL_FUZZ_CHECK(size >= SettingsRecord::kSize);
  SettingsRecord::Bytes first;
  std::memcpy(first.data(), data, first.size());
  VERDAL_FUZZ_CHECK(CurrentSettings == SettingsRecord::Decode(first));
  VERDAL_FUZZ_CHECK(CurrentSettings.Encode() == first);
  return 0;
}
