// Fuzz target: "mots" loaded by LoadDictionary, whatever its bytes and length.
#include <algorithm>
#include <string>

#include "common/io_error.h"
#include "fuzz/fuzz_files.h"
#include "game/dictionary_file.h"
#include "game/records.h"
#include "game/unit_var.h"

using namespace verdal;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::EnterPrivateFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteInput(kDictionaryFileName, data, size);
  const std::size_t whole =
      std::min<std::size_t>(size / DictionaryEntry::kSize, std::size_t{kDictionarySize});
  // A marker no record can produce (longer than 11 characters) shows which entries were set.
  const std::string untouched(DictionaryEntry::kMaxLength + 1, '?');
  const std::size_t probe = std::min(whole, std::size_t{kDictionarySize} - 1);
  WordTable[probe] = untouched;
  try {
    LoadDictionary();
    VERDAL_FUZZ_CHECK(whole == std::size_t{kDictionarySize});
  } catch (const IoError& e) {
    VERDAL_FUZZ_CHECK(e.Code() == ioReadPastEnd && whole < std::size_t{kDictionarySize});
    // The records read before the end stay in the tables, and nothing past them.
    VERDAL_FUZZ_CHECK(WordTable[probe] == untouched);
  }
  for (std::size_t k = 0; k < whole; ++k) {
    const std::uint8_t* record = data + k * DictionaryEntry::kSize;
    const std::size_t length = std::min<std::size_t>(record[0], DictionaryEntry::kMaxLength);
    VERDAL_FUZZ_CHECK(WordTable[k] ==
                      std::string(reinterpret_cast<const char*>(record + 1), length));
  }
  return 0;
}
