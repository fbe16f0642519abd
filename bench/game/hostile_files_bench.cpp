// Worst cases of hostile game files: time and peak memory of each reader, one process per case.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "game/dictionary_file.h"
#include "game/personal_list.h"
#include "game/settings_file.h"
#include "game/unit_var.h"
#include "tests/game/game_files.h"

namespace verdal {
namespace {

struct Case {
  const char* name;
  std::function<void()> prepare;  // writes the file, in the parent
  std::function<void()> read;     // what the game does with it, in a child of its own
};

struct Figures {
  double ms = 0;
  double userMs = 0;  // of which the reader's own work; the rest is mostly the kernel's
  long peakKb = 0;    // the child's whole peak
  long growthKb = 0;  // how far reading raised it
};

rusage Usage() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage;
}

double UserMs(const rusage& usage) {
  return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3;
}

// A fresh process per case, so that one case's peak cannot hide another's.
Figures Measure(const std::function<void()>& read) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) std::abort();
  pid_t child = ::fork();
  if (child == 0) {
    Figures f;
    const rusage before = Usage();
    const auto start = std::chrono::steady_clock::now();
    try {
      read();
    } catch (const std::exception&) {
      // The message the player would see; only the cost matters here.
    }
    f.ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const rusage after = Usage();
    f.userMs = UserMs(after) - UserMs(before);
    f.peakKb = after.ru_maxrss;
    f.growthKb = after.ru_maxrss - before.ru_maxrss;
    if (::write(pipeFds[1], &f, sizeof f) != sizeof f) ::_exit(1);
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  Figures f;
  if (::read(pipeFds[0], &f, sizeof f) != sizeof f) std::abort();
  ::close(pipeFds[0]);
  ::waitpid(child, nullptr, 0);
  return f;
}

void WriteSparse(const std::string& name, const std::string& head, std::uintmax_t hole,
                 const std::string& tail) {
  test::WriteBytes(name, head);
  std::filesystem::resize_file(name, head.size() + hole);
  std::ofstream(name, std::ios::binary | std::ios::app) << tail;
}

int Main() {
  test::TempCurrentDir dir;
  const auto gigabyteLine = [] { WriteSparse("perso", "2\r\n", 1ull << 30, "\r\nCHATON\r\n"); };
  const auto twentyThousand = [] {
    std::vector<std::string> words;
    for (int k = 0; k < 2 * kPersonalCapacity; ++k) words.push_back(test::SyntheticWord(k, 6));
    test::WriteBytes("perso", test::PersoText(words, "\r\n"));
  };
  const std::vector<Case> cases = {
      {"perso_gigabyte_line_load", gigabyteLine, [] { LoadPersonalList(); }},
      {"perso_gigabyte_line_count", gigabyteLine, [] { CountPersonalList(); }},
      {"perso_20000_words_load", twentyThousand, [] { LoadPersonalList(); }},
      {"perso_20000_words_count", twentyThousand, [] { CountPersonalList(); }},
      {"perso_count_2147483647_load", [] { test::WriteBytes("perso", "2147483647\r\nCHATON\r\n"); },
       [] { LoadPersonalList(); }},
      {"mots_10mb_load",
       [] {
         test::WriteBytes("mots", test::StandardDictionaryBytes());
         std::filesystem::resize_file("mots", 10 << 20);
       },
       [] { LoadDictionary(); }},
      {"data_41_bytes_read_write",
       [] { test::WriteBytes("data", test::SettingsBytes(test::Settings(8, 3, 1)) + "x"); },
       [] {
         ReadSettings();
         WriteSettings();
       }},
  };
  for (const Case& c : cases) {
    c.prepare();
    const Figures f = Measure(c.read);
    std::printf("figure hostile_%s_ms %.1f ms\n", c.name, f.ms);
    std::printf("figure hostile_%s_user_ms %.1f ms\n", c.name, f.userMs);
    std::printf("figure hostile_%s_peak_rss_kb %ld kB\n", c.name, f.peakKb);
    std::printf("figure hostile_%s_peak_growth_kb %ld kB\n", c.name, f.growthKb);
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace
}  // namespace verdal

int main() { return verdal::Main(); }
