// Fuzz target: whatever settings are written to "data" read back equal, over any old "data".
#include <sys/stat.h>

#include <algorithm>

#include "fuzz/fuzz_files.h"
#include "game/records.h"
#include "game/settings_file.h"
#include "game/unit_var.h"

using namespace verdal;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterPrivateFolder();
  return 0;
}

// The first 40 bytes are the record to write (zeros where the input is shorter); what
// follows them is the "data" already there, of any length, or none when there is nothing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SettingsRecord::Bytes bytes{};
  const std::size_t used = std::min(size, bytes.size());
  std::copy(data, data + used, bytes.begin());
  ::unlink(kSettingsFileName);
  if (size > used) fuzz::WriteInput(kSettingsFileName, data + used, size - used);

  const SettingsRecord written = SettingsRecord::Decode(bytes);
  CurrentSettings = written;
  WriteSettings();
  CurrentSettings = SettingsRecord{};
  ReadSettings();
  VERDAL_FUZZ_CHECK(CurrentSettings == written);
  struct stat st {};
  VERDAL_FUZZ_CHECK(::stat(kSettingsFileName, &st) == 0 &&
                    st.st_size == static_cast<off_t>(SettingsRecord::kSize));
  return 0;
}
