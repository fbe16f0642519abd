// "mots": loading the dictionary into the first 20,329 entries of the word tables.
#include "game/dictionary_file.h"

#include <fcntl.h>

#include <cstdint>
#include <vector>

#include "common/io_error.h"
#include "common/posix_file.h"
#include "game/records.h"
#include "game/unit_var.h"

namespace verdal {

void LoadDictionary() {
  // Opened for writing too, although only read: a read-only "mots" is refused with code 5,
  // the answer "data" gives, so a read-only installation reads as one fault.
  PosixFile file = PosixFile::Open(kDictionaryFileName, O_RDWR);
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
