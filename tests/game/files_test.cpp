// The three game files: formats byte for byte, error codes and texts, and the mended readers.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <filesystem>

#include "common/io_error.h"
#include "game/dictionary_file.h"
#include "game/personal_list.h"
#include "game/settings_file.h"
#include "game/unit_var.h"
#include "tests/game/game_files.h"

namespace verdal {
namespace {

using namespace test;  // the game files' test helpers

bool RunningAsRoot() { return ::geteuid() == 0; }

// Loads "perso" as the game does and checks the words it put after the dictionary's.
void ExpectLoaded(const std::vector<std::string>& words) {
  ASSERT_EQ(LoadPersonalList(), static_cast<int>(words.size()));
  for (std::size_t k = 0; k < words.size(); ++k) {
    EXPECT_EQ(WordTable[kDictionarySize + k], words[k]) << "word " << k;
  }
}

// The code and text of the IoError that f raises; 0 and "" when it raises none.
template <class F>
std::pair<int, std::string> Failure(F&& f) {
  try {
    f();
  } catch (const IoError& e) {
    return {e.Code(), e.what()};
  }
  return {0, ""};
}
template <class F>
int IoCodeOf(F&& f) {
  return Failure(f).first;
}
template <class F>
std::string IoTextOf(F&& f) {
  return Failure(f).second;
}

TEST(IoError, CodesReadTheirFrenchTexts) {
  EXPECT_STREQ(IoError(2).what(), "Fichier introuvable");
  EXPECT_STREQ(IoError(3).what(), "Nom de fichier incorrect");
  EXPECT_STREQ(IoError(4).what(), "Trop de fichiers ouverts");
  EXPECT_STREQ(IoError(5).what(), "Accès au fichier refusé");
  EXPECT_STREQ(IoError(100).what(), "Lecture au delà de la fin de fichier");
  EXPECT_STREQ(IoError(101).what(), "Disque plein");
  EXPECT_STREQ(IoError(106).what(), "Saisie numérique incorrecte");
  EXPECT_STREQ(IoError(1027).what(), "Erreur E/S 1027");
  EXPECT_EQ(IoError(101).Code(), 101);
}

TEST(IoError, PosixErrorsMapOntoTheCodes) {
  EXPECT_EQ(IoCodeFromErrno(ENOENT), 2);
  EXPECT_EQ(IoCodeFromErrno(ENAMETOOLONG), 3);
  EXPECT_EQ(IoCodeFromErrno(EMFILE), 4);
  EXPECT_EQ(IoCodeFromErrno(EROFS), 5);
  EXPECT_EQ(IoCodeFromErrno(ENOSPC), 101);
  // errno 5 is EIO on Linux: it must not read as "access denied".
  EXPECT_EQ(IoErrorText(IoCodeFromErrno(EIO)), "Erreur E/S 1005");
}

TEST(GameFiles, MissingFilesAreCode2) {
  TempCurrentDir dir;
  EXPECT_EQ(IoTextOf(ReadSettings), "Fichier introuvable");
  EXPECT_EQ(IoCodeOf(LoadDictionary), 2);
  EXPECT_EQ(IoCodeOf(LoadPersonalList), 2);
  EXPECT_EQ(IoCodeOf(CountPersonalList), 2);
}

constexpr int kCannotDropRoot = 97;

// Root opens read-only files for writing anyway, so as root the checks run in a child
// process that has given up its privileges. Returns the child's exit status.
int RunUnprivileged(int (*checks)(), int folderAccess = R_OK | W_OK | X_OK) {
  if (!RunningAsRoot()) return checks();
  pid_t child = ::fork();
  if (child == 0) {
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(kCannotDropRoot);
    if (::access(".", folderAccess) != 0) ::_exit(kCannotDropRoot);
    ::_exit(checks());
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

TEST(GameFiles, ReadOnlySettingsAreCode5WhileReadOnlyWordsAreRead) {
  TempCurrentDir dir;
  const std::string before = SettingsBytes(Settings(7, 3, 2));
  WriteBytes("data", before);
  WriteBytes("mots", DictionaryBytes({}));
  WriteBytes("perso", "0\r\n");
  for (const char* name : {"data", "mots", "perso"}) ::chmod(name, 0444);
  ::chmod(".", 0777);  // the unprivileged child may still create files here
  const int failed = RunUnprivileged([] {
    if (IoTextOf(ReadSettings) != "Accès au fichier refusé") return 1;
    if (IoCodeOf(WriteSettings) != 5) return 2;
    if (IoCodeOf(LoadDictionary) != 0) return 3;  // shipped read-only, and only read
    if (IoCodeOf(LoadPersonalList) != 0) return 4;  // a text file is only read
    return 0;
  });
  if (failed == kCannotDropRoot) GTEST_SKIP() << "running as root and cannot act as nobody here";
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(ReadBytes("data"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 3);
}

// A "data" that anyone may write, in a folder where nobody may create a file, can
// still be rewritten: in place, since no temporary file can be made beside it.
TEST(SettingsFile, WritableDataInAFolderNobodyMayWriteIsRewrittenInPlace) {
  TempCurrentDir dir;
  WriteBytes("data", SettingsBytes(Settings(6, 1, 2)) + "tail");
  ::chmod("data", 0666);
  ::chmod(".", 0555);
  const int failed = RunUnprivileged(
      [] {
        ReadSettings();
        CurrentSettings.WordLength = 8;
        return IoCodeOf(WriteSettings);
      },
      R_OK | X_OK);
  ::chmod(".", 0755);
  if (failed == kCannotDropRoot) GTEST_SKIP() << "running as root and cannot act as nobody here";
  EXPECT_EQ(failed, 0);
  EXPECT_EQ(ReadBytes("data"), SettingsBytes(Settings(8, 1, 2)));
}

TEST(GameFiles, AFolderInPlaceOfAFileIsCode5) {
  // The same refusal as a read-only file, and one that root meets too.
  TempCurrentDir dir;
  std::filesystem::create_directory("data");
  std::filesystem::create_directory("mots");
  EXPECT_EQ(IoCodeOf(ReadSettings), 5);
  EXPECT_EQ(IoCodeOf(WriteSettings), 5);
  EXPECT_TRUE(std::filesystem::is_directory("data"));
  EXPECT_EQ(IoCodeOf(LoadDictionary), 5);
}

TEST(SettingsFile, RecordIsFortyLittleEndianBytes) {
  SettingsRecord r = Settings(8, 4, 1, 2, 600);
  const std::string bytes = SettingsBytes(r);
  ASSERT_EQ(bytes.size(), 40u);
  EXPECT_EQ(bytes.substr(0, 20),
            std::string("\x02\0\0\0\x08\0\0\0\x58\x02\0\0\x04\0\0\0\x01\0\0\0", 20));
  EXPECT_EQ(std::uint8_t(bytes[20]), 0xA0);
  EXPECT_EQ(std::uint8_t(bytes[39]), 0xA0 + 19);
  SettingsRecord negative = r;
  negative.Sound = -2;
  EXPECT_EQ(SettingsRecord::Decode(negative.Encode()), negative);
}

TEST(SettingsFile, SixtyByteFileIsReadAsOneRecordAndRewrittenAsFortyKeepingReserved) {
  TempCurrentDir dir;
  const std::string record = SettingsBytes(Settings(6, 1, 2));
  WriteBytes("data", record + std::string(20, '\x77'));
  ReadSettings();
  EXPECT_EQ(CurrentSettings, Settings(6, 1, 2));
  CurrentSettings.WordLength = 8;
  CurrentSettings.ChronoStep = 50;
  WriteSettings();
  EXPECT_EQ(ReadBytes("data"), SettingsBytes(Settings(8, 1, 2, 1, 50)));
  EXPECT_EQ(ReadBytes("data").substr(20), record.substr(20));
  // Nothing but "data" is left in the folder.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);
}

TEST(SettingsFile, ShortDataIsCode100AndLeavesCurrentSettings) {
  TempCurrentDir dir;
  CurrentSettings = Settings(7, 2, 2);
  WriteBytes("data", SettingsBytes(Settings(6, 1, 1)).substr(0, 39));
  EXPECT_EQ(IoTextOf(ReadSettings), "Lecture au delà de la fin de fichier");
  EXPECT_EQ(CurrentSettings, Settings(7, 2, 2));
}

TEST(SettingsFile, WriteCreatesMissingDataAndKeepsAnExistingFilesPermissions) {
  TempCurrentDir dir;
  CurrentSettings = Settings(7, 3, 1);
  WriteSettings();
  EXPECT_EQ(ReadBytes("data"), SettingsBytes(Settings(7, 3, 1)));
  ::chmod("data", 0640);
  WriteSettings();
  struct stat st {};
  ASSERT_EQ(::stat("data", &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  if (!RunningAsRoot()) return;
  // Rewritten by root, a player's file stays the player's.
  ASSERT_EQ(::chown("data", 65534, 65534), 0);
  WriteSettings();
  ASSERT_EQ(::stat("data", &st), 0);
  EXPECT_EQ(st.st_uid, 65534u);
  EXPECT_EQ(st.st_gid, 65534u);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// An installation may keep the settings elsewhere and link "data" to them: the new
// record goes into the linked file, beside it, and "data" stays a link.
TEST(SettingsFile, WriteThroughALinkReplacesTheLinkedFile) {
  TempCurrentDir dir;
  std::filesystem::create_directory("kept");
  WriteBytes("kept/data", SettingsBytes(Settings(6, 1, 2)));
  std::filesystem::create_symlink("kept/data", "data");
  ReadSettings();
  CurrentSettings.WordLength = 7;
  WriteSettings();
  EXPECT_TRUE(std::filesystem::is_symlink("data"));
  EXPECT_EQ(ReadBytes("kept/data"), SettingsBytes(Settings(7, 1, 2)));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("kept"), {}), 1);
}

// Mend: a write that fails half-way (here the file size limit stops it after 20 bytes,
// as a full disk would) leaves "data" exactly as it was and leaves no temporary file.
TEST(SettingsFile, FailedWriteLeavesDataAsItWas) {
  TempCurrentDir dir;
  const std::string before = SettingsBytes(Settings(6, 1, 2)) + "tail";
  WriteBytes("data", before);
  CurrentSettings = Settings(8, 3, 1);

  int code = 0;
  {
    test::FileSizeLimit limit(20);
    code = IoCodeOf(WriteSettings);
  }

  EXPECT_EQ(code, 1000 + EFBIG);
  EXPECT_EQ(ReadBytes("data"), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1);
}

TEST(DictionaryFile, LoadsExactly20329RecordsAndIgnoresWhatFollows) {
  TempCurrentDir dir;
  std::string bytes = DictionaryBytes({{"BATEAU", 0}, {"ABRICOTS", 1}, {"ODDITY", 2}});
  bytes.replace((kDictionarySize - 1) * 16, 16, EntryBytes("DERNIER", 1));
  WriteBytes("mots", bytes + EntryBytes("DEBORDE", 0));
  WordTable[kDictionarySize] = "PERSO";
  LoadDictionary();
  EXPECT_EQ(WordTable[0], "BATEAU");
  EXPECT_EQ(CategoryTable[0], wcFamiliar);
  EXPECT_EQ(WordTable[1], "ABRICOTS");
  EXPECT_EQ(CategoryTable[1], wcLessFamiliar);
  EXPECT_EQ(CategoryTable[2], WordCategory(2));  // kept as stored
  EXPECT_EQ(WordTable[3], "");
  EXPECT_EQ(WordTable[kDictionarySize - 1], "DERNIER");
  EXPECT_EQ(WordTable[kDictionarySize], "PERSO");  // the 20,330th record is not read
}

TEST(DictionaryFile, ShortFileIsCode100AfterLoadingTheRecordsItHas) {
  TempCurrentDir dir;
  std::string bytes = DictionaryBytes({}, kDictionarySize - 1);
  bytes.replace((kDictionarySize - 2) * 16, 16, EntryBytes("AVANTDER", 0));
  WriteBytes("mots", bytes + std::string(8, 'Z'));  // and half a record
  WordTable[kDictionarySize - 1] = "INTACT";
  EXPECT_EQ(IoCodeOf(LoadDictionary), 100);
  EXPECT_EQ(WordTable[kDictionarySize - 2], "AVANTDER");
  EXPECT_EQ(WordTable[kDictionarySize - 1], "INTACT");
}

// Mend: a length byte above 11 never reads past the 11 character bytes.
TEST(DictionaryFile, LengthByteAboveElevenReadsElevenCharacters) {
  std::string e = EntryBytes("ABCDEFGHIJK", 1, 255);
  const auto entry = DictionaryEntry::Decode(reinterpret_cast<const std::uint8_t*>(e.data()));
  EXPECT_EQ(entry.Word(), "ABCDEFGHIJK");
  EXPECT_EQ(entry.Category, wcLessFamiliar);
}

// Mend: lines end at CR, LF or CR LF, whichever editor wrote the file.
TEST(PersonalList, LinesEndAtCrLfOrCrLf) {
  TempCurrentDir dir;
  const std::vector<std::string> words = {"CHATON", "", "BALEINE", "MOUETTES"};
  for (const char* eol : {"\r\n", "\n", "\r"}) {
    WriteBytes("perso", PersoText(words, eol));
    ASSERT_EQ(LoadPersonalList(), 4) << "line end " << int(eol[0]);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(WordTable[kDictionarySize + k], words[k]);
    EXPECT_EQ(CategoryTable[kDictionarySize + 3], wcPersonal);
  }
  // A lone CR ends a line too, so CR CR LF is two empty lines.
  WriteBytes("perso", "3\r\n\r\r\nCHEVAL\r\n");
  ExpectLoaded({"", "", "CHEVAL"});
}

TEST(PersonalList, CountLineFormat) {
  TempCurrentDir dir;
  // Blanks and line breaks before the count, words after it on its line.
  WriteBytes("perso",
             " \r\n\t 2 mots a suivre\r\nTORTUE\r\nLAPINS\x1A"
             "CACHE\r\n");
  EXPECT_EQ(LoadPersonalList(), 2);
  EXPECT_EQ(WordTable[kDictionarySize + 1], "LAPINS");
  // Character 26 ends the text: the missing lines are empty.
  WriteBytes("perso", "3\r\nTORTUE\x1A\r\nLAPINS\r\n");
  EXPECT_EQ(LoadPersonalList(), 3);
  EXPECT_EQ(WordTable[kDictionarySize + 1], "");
  WriteBytes("perso", "");
  EXPECT_EQ(LoadPersonalList(), 0);
  WriteBytes("perso", "-5\r\nTORTUE\r\n");
  EXPECT_EQ(LoadPersonalList(), 0);
  for (const char* bad : {"douze\r\n", "12x\r\n", "-\r\n", "99999999999\r\n"}) {
    WriteBytes("perso", bad);
    EXPECT_EQ(IoTextOf(LoadPersonalList), "Saisie numérique incorrecte") << bad;
    EXPECT_EQ(IoCodeOf(CountPersonalList), 106) << bad;
  }
}

TEST(PersonalList, GameTakesTheFirstTenThousandWords) {
  TempCurrentDir dir;
  std::vector<std::string> words;
  for (int k = 0; k < kPersonalCapacity + 2; ++k) words.push_back(test::SyntheticWord(k, 7));
  WriteBytes("perso", PersoText(words, "\r\n"));
  EXPECT_EQ(LoadPersonalList(), kPersonalCapacity);
  EXPECT_EQ(WordTable[kWordTableSize - 1], words[kPersonalCapacity - 1]);
  EXPECT_EQ(CountPersonalList().ForLength(7), kPersonalCapacity + 2);
}

// Mend: the game spells each word as it is played (small letters, accents, ligatures and
// blanks mended, UTF-8 or 8-bit line by line); what still cannot be played is left empty.
TEST(PersonalList, GameSpellsWordsAsTheyArePlayed) {
  TempCurrentDir dir;
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"bateau", "BATEAU"},
      {"Chaton ", "CHATON"},
      {"\xE9t\xE9s", "ETES"},                                  // Latin-1
      {"NO\xC3\x8BL", "NOEL"},                                   // UTF-8
      {"C\xC5\x92UR", "COEUR"},                                  // Œ in UTF-8
      {"s\x9Cur", "SOEUR"},                                     // œ in Windows-1252
      {"\xC3\x86THER", "AETHER"},                                // Æ
      {"E\xCC\x81L\xCC\x80" "EVE", "ELEVE"},                        // accents typed apart
      {"\xEF\xBB\xBF" "CITRON\xC2\xA0", "CITRON"},              // a mark, a no-break space
      {"\xC3\x28" "ABC", ""},                                     // not UTF-8, and "("
      {"\xC0\xA9", ""},                                         // an overlong form: À©
      {"ABC123", ""},
      {"POMME !", ""},
      {"\x81" "ABC", ""},                                        // no letter in cp1252
      {std::string(300, 'A'), ""},                               // longer than any line kept
  };
  std::vector<std::string> lines;
  std::vector<std::string> expected;
  for (const auto& [typed, played] : rows) {
    lines.push_back(typed);
    expected.push_back(played);
  }
  WriteBytes("perso", PersoText(lines, "\n"));
  ExpectLoaded(expected);
}

TEST(PersonalList, CountsByLengthWithoutCap) {
  TempCurrentDir dir;
  WriteBytes("perso", PersoText({"ABCDEF", "abcdefg", "ABCDEFGH", "ABCDEFGH", "ABC", "",
                                 "ABCDEFGHIJ", "ABCDEF"},
                                "\r\n"));
  PersonalCounts counts = CountPersonalList();
  EXPECT_EQ(counts.byLength, (std::array<std::int32_t, 3>{2, 1, 2}));
  EXPECT_EQ(counts.ForLength(3), 0);
}

// Mend: a count far beyond the lines present stops at the end of the text.
TEST(PersonalList, HugeAnnouncedCountStopsAtTheEndOfTheText) {
  TempCurrentDir dir;
  WriteBytes("perso", "2000000000\nABCDEF\nABCDEFG\n");
  const auto start = std::chrono::steady_clock::now();
  PersonalCounts counts = CountPersonalList();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  EXPECT_EQ(counts.byLength, (std::array<std::int32_t, 3>{1, 1, 0}));
}

}  // namespace
}  // namespace verdal
