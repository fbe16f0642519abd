// Fuzz helpers: a private current folder for the readers that open their files by name.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace verdal::fuzz {

// The game's readers open "data", "mots" and "perso" in the current folder. Each fuzzing
// process makes a folder of its own current once, in memory when the machine offers one
// (the settings writer syncs every file it writes), and removes it when it ends.
inline void EnterPrivateFolder() {
  static std::filesystem::path folder;
  if (!folder.empty()) return;
  std::error_code none;
  const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", none)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
  std::string pattern = (base / "verdal-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("mkdtemp");
    std::abort();
  }
  folder = pattern;
  std::filesystem::current_path(folder);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  });
}

// Replaces the named file by exactly these bytes.
inline void WriteInput(const char* name, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(name, "wb");
  if (file == nullptr || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
    std::perror(name);
    std::abort();
  }
}

// A broken promise of the code under test: libFuzzer keeps the input that made it.
#define VERDAL_FUZZ_CHECK(condition)                                                     \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

}  // namespace verdal::fuzz
