// Damaged and hostile game files: each ends in the game's French message, or play goes on,
// without the reader's memory growing with the file.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/io_error.h"
#include "game/dictionary_file.h"
#include "game/game_error.h"
#include "game/match.h"
#include "game/personal_list.h"
#include "game/settings_file.h"
#include "game/unit_var.h"
#include "game/word_pool.h"
#include "tests/game/game_files.h"
#include "tests/game/recording_presentation.h"

namespace verdal {
namespace {

using namespace std::string_literals;
using namespace test;  // the game files' test helpers

// What the player reads after f: the text of the error it raised, or "" when play goes on.
constexpr const char* kPlaysOn = "";
template <class F>
std::string Outcome(F&& f) {
  try {
    f();
  } catch (const IoError& e) {
    return e.what();
  } catch (const GameError& e) {
    return e.what();
  }
  return kPlaysOn;
}

constexpr const char* kBadNumber = "Saisie numérique incorrecte";
constexpr const char* kReadPastEnd = "Lecture au delà de la fin de fichier";
constexpr const char* kAccessDenied = "Accès au fichier refusé";
constexpr const char* kNotFound = "Fichier introuvable";

long PeakRssKb() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// How far f raised the process's peak memory, in megabytes. A reader that held a whole
// file or line would raise it by that size at least.
template <class F>
long PeakGrowthMb(F&& f) {
  const long before = PeakRssKb();
  f();
  return (PeakRssKb() - before) / 1024;
}

// head, then `hole` zero bytes that take no disk space, then tail.
void WriteSparse(const std::string& name, const std::string& head, std::uint64_t hole,
                 const std::string& tail) {
  WriteBytes(name, head);
  std::filesystem::resize_file(name, head.size() + hole);
  std::ofstream(name, std::ios::binary | std::ios::app) << tail;
}

std::string Noise(std::size_t size, std::uint32_t seed) {
  std::mt19937 bytes(seed);
  std::string noise(size, '\0');
  for (char& c : noise) c = static_cast<char>(bytes() & 0xFF);
  return noise;
}

std::string Personal(int k) { return WordTable[kDictionarySize + k]; }

// --- "perso" ---------------------------------------------------------------------------

struct PersoCase {
  const char* what;
  std::string bytes;
  const char* message;  // for the game's load and the settings screen's count alike
  int loaded;
  std::array<std::int32_t, 3> counts;  // words of 6, 7 and 8 characters
};

TEST(HostilePerso, DamagedListsEndInTheGamesMessageOrPlayOn) {
  const std::string noise = "\xC3"s + Noise(64 * 1024, 15);
  const std::vector<PersoCase> cases = {
      {"binary noise", noise, kBadNumber, 0, {}},
      {"a count, then binary noise", "3\r\n" + noise.substr(0, 4096), kPlaysOn, 3, {}},
      {"a count of 2^31 - 1", "2147483647\r\nCHATON\r\n", kPlaysOn, kPersonalCapacity, {1, 0, 0}},
      {"a count of 2^31", "2147483648\r\nCHATON\r\n", kBadNumber, 0, {}},
      {"a count of -5", "-5\r\nCHATON\r\n", kPlaysOn, 0, {0, 0, 0}},
      {"a count of abc", "abc\r\nCHATON\r\n", kBadNumber, 0, {}},
      {"NUL bytes in words",
       "3\r\nCHA\0ON\r\n\0\0\0\0\0\0\0\r\nLAPINS\0\r\n"s,
       kPlaysOn,
       3,
       {0, 0, 0}},
      {"a NUL byte in the count", "3\0\r\nCHATON\r\n"s, kBadNumber, 0, {}},
      {"the file ends inside a line", "3\r\nCHATON\r\nLAPI", kPlaysOn, 3, {1, 0, 0}},
  };
  TempCurrentDir dir;
  for (const PersoCase& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes("perso", c.bytes);
    std::int32_t loaded = -1;
    EXPECT_EQ(Outcome([&] { loaded = LoadPersonalList(); }), c.message);
    PersonalCounts counts;
    EXPECT_EQ(Outcome([&] { counts = CountPersonalList(); }), c.message);
    if (!std::string_view(c.message).empty()) continue;
    EXPECT_EQ(loaded, c.loaded);
    EXPECT_EQ(counts.byLength, c.counts);
  }
}

TEST(HostilePerso, WordsWithNulBytesAreNeverPlayedAndMissingLinesAreEmpty) {
  TempCurrentDir dir;
  WriteBytes("perso", "3\r\nCHA\0ON\r\nLAPI"s);
  ASSERT_EQ(LoadPersonalList(), 3);
  EXPECT_EQ(Personal(0), "");
  EXPECT_EQ(Personal(1), "LAPI");
  EXPECT_EQ(Personal(2), "");
}

// The game reads "perso" in pieces: one line of a gigabyte costs no gigabyte of memory,
// and the word after it is still found.
TEST(HostilePerso, AGigabyteOnOneLine) {
  constexpr std::uint64_t kGigabyte = 1ull << 30;
  TempCurrentDir dir;
  WriteSparse("perso", "2\r\n", kGigabyte, "\r\nchaton\r\n");
  std::int32_t loaded = 0;
  PersonalCounts counts;
  EXPECT_LT(PeakGrowthMb([&] {
              loaded = LoadPersonalList();
              counts = CountPersonalList();
            }),
            64);
  ASSERT_EQ(loaded, 2);
  EXPECT_EQ(Personal(0), "");  // longer than any word: never playable
  EXPECT_EQ(Personal(1), "CHATON");
  EXPECT_EQ(counts.byLength, (std::array<std::int32_t, 3>{1, 0, 0}));

  // A gigabyte where the count should be is refused at its first character.
  WriteSparse("perso", "", kGigabyte, "");
  EXPECT_LT(PeakGrowthMb([] { EXPECT_EQ(Outcome(LoadPersonalList), kBadNumber); }), 64);
}

// The reader's pieces are 64 KB: a line break or a word split between two pieces reads as
// one, and the end-of-text character ends the text in a later piece too.
TEST(HostilePerso, LinesAcrossTheReadersPieces) {
  constexpr std::size_t kPiece = 64 * 1024;
  struct Split {
    const char* what;
    std::string text;
    std::vector<std::string> words;  // the first three loaded
    std::array<std::int32_t, 3> counts;
  };
  const auto filler = [](std::size_t before) { return std::string(before - 3, 'x'); };
  const std::vector<Split> splits = {
      {"CR ends one piece, LF begins the next",
       "3\r\n" + filler(kPiece - 1) + "\r\nCHATON\r\nLAPINS\r\n",
       {"", "CHATON", "LAPINS"},
       {2, 0, 0}},
      {"a word split between pieces",
       "3\r\n" + filler(kPiece - 5) + "\r\nCHATONS\r\nLAPINS\r\n",
       {"", "CHATONS", "LAPINS"},
       {1, 1, 0}},
      {"character 26 in the second piece",
       "3\r\n" + filler(kPiece + 7) + "\r\nCHATON\x1A\r\nLAPINS\r\n",
       {"", "CHATON", ""},
       {1, 0, 0}},
  };
  TempCurrentDir dir;
  for (const Split& s : splits) {
    SCOPED_TRACE(s.what);
    WriteBytes("perso", s.text);
    ASSERT_EQ(LoadPersonalList(), 3);
    EXPECT_EQ((std::vector<std::string>{Personal(0), Personal(1), Personal(2)}), s.words);
    EXPECT_EQ(CountPersonalList().byLength, s.counts);
  }
}

TEST(HostilePerso, TwentyThousandWordsOfSixLettersGiveTheGameTenThousand) {
  TempCurrentDir dir;
  std::vector<std::string> words;
  for (int k = 0; k < 2 * kPersonalCapacity; ++k) words.push_back(test::SyntheticWord(k, 6));
  WriteBytes("perso", PersoText(words, "\r\n"));
  EXPECT_EQ(CountPersonalList().ForLength(6), 2 * kPersonalCapacity);
  CurrentSettings = Settings(6, 4, 1);  // "Perso": the personal list alone
  EXPECT_EQ(BuildWordPool(), kPersonalCapacity);
  EXPECT_EQ(Personal(kPersonalCapacity - 1), words[kPersonalCapacity - 1]);
  EXPECT_EQ(CurrentWordPool().words[kPersonalCapacity - 1], words[kPersonalCapacity - 1]);
}

TEST(HostilePerso, AFolderNamedPerso) {
  TempCurrentDir dir;
  std::filesystem::create_directory("perso");
  EXPECT_EQ(Outcome(LoadPersonalList), kAccessDenied);
  EXPECT_EQ(Outcome(CountPersonalList), kAccessDenied);
}

// Mend: a pipe given one of the game's names, with nobody writing to it, is refused at
// once instead of holding the game in the open or the first read.
TEST(HostileFiles, APipeInPlaceOfAFileIsRefusedWithoutWaiting) {
  TempCurrentDir dir;
  for (const char* name : {"perso", "mots", "data"}) ASSERT_EQ(::mkfifo(name, 0600), 0) << name;
  EXPECT_EQ(Outcome(LoadPersonalList), kAccessDenied);
  EXPECT_EQ(Outcome(CountPersonalList), kAccessDenied);
  EXPECT_EQ(Outcome(LoadDictionary), kAccessDenied);
  EXPECT_EQ(Outcome(ReadSettings), kAccessDenied);
}

// --- "mots" ----------------------------------------------------------------------------

TEST(HostileMots, ShortFilesKeepWhatTheyHoldAndSayTheReadRanPastTheEnd) {
  TempCurrentDir dir;
  WriteBytes("mots", "");
  EXPECT_EQ(Outcome(LoadDictionary), kReadPastEnd);

  WriteBytes("mots", DictionaryBytes({}, kDictionarySize - 2) + EntryBytes("DERNIER", 1));
  EXPECT_EQ(Outcome(LoadDictionary), kReadPastEnd);
  EXPECT_EQ(WordTable[kDictionarySize - 2], "DERNIER");
}

TEST(HostileMots, TenMegabytesLoadTheFirstRecordsInBoundedMemory) {
  TempCurrentDir dir;
  WriteBytes("mots", EntryBytes("PREMIER", 1) + DictionaryBytes({}, kDictionarySize - 2) +
                         EntryBytes("FINALE", 0) + EntryBytes("APRES", 1));
  std::filesystem::resize_file("mots", 10 << 20);
  WordTable[kDictionarySize] = "?";
  EXPECT_LT(PeakGrowthMb([] { EXPECT_EQ(Outcome(LoadDictionary), kPlaysOn); }), 8);
  EXPECT_EQ(WordTable[0], "PREMIER");
  EXPECT_EQ(WordTable[kDictionarySize - 1], "FINALE");
  EXPECT_EQ(WordTable[kDictionarySize], "?");  // where the personal words begin
}

TEST(HostileMots, OddRecordsAreLoadedAsStored) {
  TempCurrentDir dir;
  WriteBytes("mots", EntryBytes("CHATON", 0, /*lengthByte=*/0) +
                         EntryBytes("ABCDEFGHIJKLMNO", 1, /*lengthByte=*/255) +
                         EntryBytes("\xC9T\xC9S", 0) + EntryBytes("ch\0t\x7F\xFF"s, 1) +
                         DictionaryBytes({}, kDictionarySize - 4));
  ASSERT_EQ(Outcome(LoadDictionary), kPlaysOn);
  EXPECT_EQ(WordTable[0], "");
  EXPECT_EQ(WordTable[1], "ABCDEFGHIJK");  // never more than the 11 characters a record holds
  EXPECT_EQ(WordTable[2], "\xC9T\xC9S");
  EXPECT_EQ(WordTable[3], "ch\0t\x7F\xFF"s);
  EXPECT_EQ(CategoryTable[3], wcLessFamiliar);
}

// --- "data" ----------------------------------------------------------------------------

TEST(HostileData, ThirtyNineBytesAreRefusedAndChangeNothing) {
  TempCurrentDir dir;
  CurrentSettings = Settings(7, 2, 2);
  WriteBytes("data", SettingsBytes(Settings(8, 1, 1)).substr(0, 39));
  EXPECT_EQ(Outcome(ReadSettings), kReadPastEnd);
  EXPECT_EQ(CurrentSettings, Settings(7, 2, 2));
}

TEST(HostileData, FortyOneBytesReadAsOneRecordAndAreRewrittenAsForty) {
  TempCurrentDir dir;
  WriteBytes("data", SettingsBytes(Settings(8, 1, 1)) + "\x7F");
  ASSERT_EQ(Outcome(ReadSettings), kPlaysOn);
  EXPECT_EQ(CurrentSettings, Settings(8, 1, 1));
  ASSERT_EQ(Outcome(WriteSettings), kPlaysOn);
  EXPECT_EQ(ReadBytes("data"), SettingsBytes(Settings(8, 1, 1)));
}

TEST(HostileData, AllBytesFFAreReadAndTheMatchRefusesTheirWordLength) {
  TempCurrentDir dir;
  WriteBytes("data", std::string(SettingsRecord::kSize, '\xFF'));
  ASSERT_EQ(Outcome(ReadSettings), kPlaysOn);
  EXPECT_EQ(CurrentSettings.WordLength, -1);
  test::RecordingPresentation show;
  Match match(show);
  EXPECT_EQ(Outcome([&] { match.StartMatch(1, {"Ana", ""}); }), "Longueur de mot incorrecte : -1");
}

TEST(HostileData, ReadOnlyDataIsRefused) {
  TempCurrentDir dir;
  WriteBytes("data", SettingsBytes(Settings(6, 1, 2)));
  ::chmod("data", 0444);
  ::chmod(".", 0777);  // nobody may reach the file and create the temporary one beside it
  // Root may write a read-only file: the check runs as nobody in a child process.
  int status = 0;
  if (::geteuid() != 0) {
    status =
        Outcome(ReadSettings) == kAccessDenied && Outcome(WriteSettings) == kAccessDenied ? 0 : 1;
  } else if (pid_t child = ::fork(); child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0 || ::access(".", W_OK | X_OK) != 0) {
      ::_exit(97);
    }
    ::_exit(Outcome(ReadSettings) == kAccessDenied && Outcome(WriteSettings) == kAccessDenied ? 0
                                                                                              : 1);
  } else {
    ::waitpid(child, &status, 0);
    status = WIFEXITED(status) ? WEXITSTATUS(status) : 98;
  }
  if (status == 97) GTEST_SKIP() << "running as root and cannot act as nobody here";
  EXPECT_EQ(status, 0);
  EXPECT_EQ(ReadBytes("data"), SettingsBytes(Settings(6, 1, 2)));
}

TEST(HostileData, AFolderNamedDataIsRefusedAndStaysAFolder) {
  TempCurrentDir dir;
  std::filesystem::create_directory("data");
  EXPECT_EQ(Outcome(ReadSettings), kAccessDenied);
  EXPECT_EQ(Outcome(WriteSettings), kAccessDenied);
  EXPECT_TRUE(std::filesystem::is_directory("data"));
}

TEST(HostileData, ALinkToAMissingFileIsNotFoundThenSaved) {
  TempCurrentDir dir;
  std::filesystem::create_symlink("parti/data", "data");
  EXPECT_EQ(Outcome(ReadSettings), kNotFound);
  // The settings screen's OK still saves: the new record is read back.
  CurrentSettings = Settings(7, 3, 2);
  ASSERT_EQ(Outcome(WriteSettings), kPlaysOn);
  CurrentSettings = {};
  ASSERT_EQ(Outcome(ReadSettings), kPlaysOn);
  EXPECT_EQ(CurrentSettings, Settings(7, 3, 2));
}

}  // namespace
}  // namespace verdal
