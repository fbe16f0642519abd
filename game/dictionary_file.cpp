// "mots": loading the dictionary into the first 20,329 entries of the word tables.
#include "game/dictionary_file.h"

#include <fcntl.h>

#include <cstdint>
#include <vector>

#include "common/io_error.h"
#include "common/program_folder.h"
#include "common/posix_file.h"
#include "game/records.h"
#include "game/unit_var.h"

namespace verdal {

void LoadDictionary() {
  // Only read: the dictionary is shipped with the program and may lie in a folder the
  // player cannot write, such as a system-wide install.
  PosixFile file = PosixFile::Open((DictionaryFolder() / kDictionaryFileName).string(), O_RDONLY);
  std::vector<std::uint8_t> bytes(std::size_t{kDictionarySize} * DictionaryEntry::kSize);
  std::size_t got = file.ReadUpTo(bytes.data(), bytes.size());
  std::size_t whole = got / DictionaryEntry::kSize;
  for (std::size_t k = 0; k < whole; ++k) {
    DictionaryEntry entry = DictionaryEntry::Decode(&bytes[k * DictionaryEntry::kSize]);
    WordTable[k] = entry.Word();
    CategoryTable[k] = entry.Category;
  }
  if (whole < static_cast<std::size_t>(kDictionarySize)) throw IoError(ioReadPastEnd);
  file.Close();
}

}  // namespace verdal
