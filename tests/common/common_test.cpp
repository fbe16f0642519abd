// The program-wide generator's exact sequence, the clock switch, the message guard
// and the program and player's folders.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/io_error.h"
#include "common/messages.h"
#include "common/player_folder.h"
#include "common/program_folder.h"
#include "common/random.h"
#include "tests/support/recorded_messages.h"

namespace verdal {
namespace {

TEST(Random, SeedZeroGivesTheKnownSequenceBelowTen) {
  SetRandomSeed(0);
  std::vector<std::uint32_t> draws;
  for (int i = 0; i < 6; ++i) draws.push_back(RandomBelow(10));
  EXPECT_EQ(draws, (std::vector<std::uint32_t>{0, 0, 8, 2, 2, 6}));
}

TEST(Random, DrawsStayBelowTheLimitAndZeroLimitGivesZero) {
  SetRandomSeed(12345);
  for (int i = 0; i < 10000; ++i) ASSERT_LT(RandomBelow(7), 7u);
  EXPECT_EQ(RandomBelow(0), 0u);
  SetRandomSeed(0xFFFFFFFFu);
  for (int i = 0; i < 1000; ++i) ASSERT_LT(RandomBelow(0xFFFFFFFFu), 0xFFFFFFFFu);
}

TEST(Random, SeedsFromTheInstalledClock) {
  ManualClock clock;
  clock.SetMillisecondsSinceMidnightUtc(((13 * 60 + 5) * 60 + 7) * 1000 + 250);
  ScopedClock scoped(clock);
  SeedRandomFromClock();
  EXPECT_EQ(RandomSeed(), 47107250u);
}

TEST(Clock, ScopedClockRestoresTheSystemClock) {
  Clock* before = &AppClock();
  {
    ManualClock clock;
    ScopedClock scoped(clock);
    EXPECT_EQ(&AppClock(), &clock);
    AppClock().SleepMs(40);
    AppClock().SleepMs(-5);
    EXPECT_EQ(clock.NowMs(), 40);
  }
  EXPECT_EQ(&AppClock(), before);
  EXPECT_LT(AppClock().MillisecondsSinceMidnightUtc(), 86'400'000u);
}

// What a handler throws reaches the player as a message, and never escapes the guard;
// a wait given up because its window closed is no error and shows nothing.
TEST(Messages, ReportErrorsShowsWhatAHandlerThrows) {
  RecordedMessages messages;
  ScopedMessages scoped(messages);
  EXPECT_TRUE(ReportErrors([] {}));
  EXPECT_FALSE(ReportErrors([] { throw IoError(2); }));
  EXPECT_FALSE(ReportErrors([] { throw std::runtime_error("Il n'y a aucun mot!!"); }));
  EXPECT_FALSE(ReportErrors([] { throw 42; }));
  EXPECT_FALSE(ReportErrors([] { throw Abandoned(); }));
  EXPECT_EQ(messages.shown, (std::vector<std::string>{"Fichier introuvable", "Il n'y a aucun mot!!",
                                                      "Erreur inconnue"}));
}

TEST(ProgramFolder, ScopedFolderIsMadeCurrentThenRestored) {
  const std::filesystem::path own = ProgramFolder();
  EXPECT_TRUE(std::filesystem::exists(own / "common_tests"));
  const std::filesystem::path before = std::filesystem::current_path();
  const std::filesystem::path temp = std::filesystem::temp_directory_path();
  {
    ScopedProgramFolder scoped(temp);
    MakeProgramFolderCurrent();
    EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(temp));
    const std::filesystem::path missing = temp / "verdal-no-such-folder";
    ScopedProgramFolder gone(missing);
    EXPECT_THROW(MakeProgramFolderCurrent(), IoError);
  }
  EXPECT_EQ(ProgramFolder(), own);
  std::filesystem::current_path(before);
}

std::string Contents(const std::filesystem::path& file) {
  std::ostringstream text;
  text << std::ifstream(file).rdbuf();
  return text.str();
}

// Made with the shipped files it lacks, never over the player's own; a file in the way is
// named with the reason, which root meets too.
TEST(PlayerFolder, FilledOnlyWhereFilesAreMissing) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("verdal-player-" + std::to_string(::getpid()));
  const std::filesystem::path shipped = root / "shipped", folder = root / "home" / "verdal";
  std::filesystem::create_directories(shipped);
  std::ofstream(shipped / "data") << "shipped data";
  std::ofstream(shipped / "perso") << "shipped perso";
  std::filesystem::permissions(shipped / "perso", std::filesystem::perms::owner_read);
  PreparePlayerFolder(folder, shipped);
  EXPECT_EQ(Contents(folder / "perso"), "shipped perso");
  EXPECT_NE(
      std::filesystem::status(folder / "perso").permissions() & std::filesystem::perms::owner_write,
      std::filesystem::perms::none);
  std::ofstream(folder / "data") << "mine";
  std::filesystem::remove(folder / "perso");
  PreparePlayerFolder(folder, shipped);
  EXPECT_EQ(Contents(folder / "data"), "mine");
  EXPECT_EQ(Contents(folder / "perso"), "shipped perso");

  std::ofstream(root / "file") << "";
  for (const std::filesystem::path& blocked : {root / "file", root / "file" / "verdal"}) {
    try {
      PreparePlayerFolder(blocked, shipped);
      ADD_FAILURE() << blocked;
    } catch (const PlayerFolderError& e) {
      EXPECT_EQ(e.what(), "VERDAL ne peut pas utiliser le dossier " + blocked.string() +
                              " : un fichier porte déjà ce nom");
    }
  }
  std::filesystem::remove_all(root);
}

// A first copy stopped half-way (by a file size limit, as by a full disk) says why and leaves
// neither a file that later starts would take for the player's own nor a temporary one.
TEST(PlayerFolder, ACopyStoppedHalfWayLeavesNoFile) {
  const std::filesystem::path root =
      std::filesystem::temp_directory_path() / ("verdal-copy-" + std::to_string(::getpid()));
  const std::filesystem::path shipped = root / "shipped", folder = root / "verdal";
  std::filesystem::create_directories(shipped);
  std::ofstream(shipped / "data") << "shipped data";
  std::ofstream(shipped / "perso") << std::string(5000, 'A');
  const auto copy = [&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{1000, 1000};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    PreparePlayerFolder(folder, shipped);
  };
  EXPECT_EXIT((ReportErrors(copy), std::_Exit(0)), testing::ExitedWithCode(0),
              "VERDAL ne peut pas copier le fichier livré « perso » dans le dossier .* : fichier "
              "trop gros");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1);
  EXPECT_EQ(Contents(folder / "data"), "shipped data");
  std::filesystem::remove_all(root);
}

}  // namespace
}  // namespace verdal
