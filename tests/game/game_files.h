// Test helpers: a temporary current directory and the three game files written into it.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "game/dictionary_file.h"
#include "game/records.h"
#include "game/unit_var.h"

namespace verdal::test {

// Limits the size of the files this process writes for the lifetime of the object, so a
// write stops half-way as on a full disk (with the signal that would end the process off).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : previousSignal_(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit small = saved_;
    small.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previousSignal_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*previousSignal_)(int);
};

// Makes a fresh temporary folder the current directory for the lifetime of the object.
class TempCurrentDir {
 public:
  TempCurrentDir() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "verdal-game-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~TempCurrentDir() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempCurrentDir(const TempCurrentDir&) = delete;
  TempCurrentDir& operator=(const TempCurrentDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

inline void WriteBytes(const std::string& name, const std::string& bytes) {
  std::ofstream(name, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string SettingsBytes(const SettingsRecord& record) {
  auto bytes = record.Encode();
  return std::string(bytes.begin(), bytes.end());
}

inline SettingsRecord Settings(int length, int difficulty, int usePersonal, int sound = 1,
                               int chronoStep = 100) {
  SettingsRecord r{sound, length, chronoStep, difficulty, usePersonal};
  std::iota(r.Reserved.begin(), r.Reserved.end(), 0xA0);  // bytes nobody would write by chance
  return r;
}

inline std::string EntryBytes(const std::string& word, std::int32_t category, int lengthByte = -1) {
  std::string e(DictionaryEntry::kSize, '\0');
  e[0] = static_cast<char>(lengthByte < 0 ? word.size() : lengthByte);
  word.copy(&e[1], std::min<std::size_t>(word.size(), 15));
  for (int i = 0; i < 4; ++i) e[12 + i] = static_cast<char>(std::uint32_t(category) >> (8 * i));
  return e;
}

// A distinct word of capital letters for each index.
inline std::string SyntheticWord(int index, int length) {
  std::string w(length, 'A');
  for (int i = length - 1; i >= 0 && index > 0; --i, index /= 26) w[i] = char('A' + index % 26);
  return w;
}

// A "mots" of `records` entries: the given words first, then empty filler entries.
inline std::string DictionaryBytes(const std::vector<std::pair<std::string, int>>& words,
                                   int records = kDictionarySize) {
  std::string bytes;
  bytes.reserve(std::size_t(records) * DictionaryEntry::kSize);
  for (int k = 0; k < records; ++k) {
    bytes +=
        k < int(words.size()) ? EntryBytes(words[k].first, words[k].second) : EntryBytes("", 0);
  }
  return bytes;
}

// A "mots" with the composition of the delivered dictionary: 6, 7 and 8 letters,
// familiar and less familiar, in the numbers the settings screen assumes.
inline std::string StandardDictionaryBytes() {
  std::vector<std::pair<std::string, int>> words;
  int index = 0;
  for (int l = 0; l < 3; ++l) {
    for (int c = 0; c < 2; ++c) {
      for (int n = 0; n < DictionaryCounts[c][l]; ++n) {
        words.emplace_back(SyntheticWord(index++, 6 + l), c);
      }
    }
  }
  return DictionaryBytes(words);
}

inline std::string PersoText(const std::vector<std::string>& lines, const std::string& eol) {
  std::string text = std::to_string(lines.size()) + eol;
  for (const auto& line : lines) text += line + eol;
  return text;
}

}  // namespace verdal::test
