// The program's start-up: the display check, the splash's timing on the manual clock, the
// screens' order, the pointer's count, and the task bar on each way out.
#include "screens/program/start_up.h"

#include <QEvent>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "components/lumofade/qt/lumo_fade_widget.h"
#include "platform/qt_messages.h"
#include "screens/game/form_jeu6.h"
#include "screens/settings/form_param.h"
#include "screens/splash/splash.h"
#include "screens/support/event_wait.h"
#include "screens/support/screen_lookup.h"
#include "tests/game/game_files.h"
#include "tests/screens/front/front_fixture.h"

namespace verdal::test {
namespace {

class StartUpTest : public FrontTest {
 protected:
  // A screen that notes when it was made and what the start-up looked like then.
  ScreenMaker Noting(const char* name, bool showsPointer = false, bool hidesTaskBar = false) {
    return [=, this] {
      made.push_back(
          {name, clock.NowMs(), FindScreen(QStringLiteral("FSplash")) != nullptr, pointer.Count()});
      if (showsPointer) AppPointer().ShowCursor(true);
      if (hidesTaskBar) AppTaskBar().Hide();
      auto screen = std::make_unique<QWidget>();
      screen->setObjectName(QString::fromLatin1(name));
      return screen;
    };
  }
  struct Made {
    std::string name;
    std::int64_t atMs;
    bool splashAlive;
    int pointerCount;
  };
  std::vector<Made> made;
};

constexpr std::int64_t kFrameMs = 25;

// The splash's fades seen from outside, on the manual clock: each paint of its fade controls
// and when it came. A fade holds each frame for one frame time, while the splash's other
// paints (the desktop before the first fade, a control's pending update as a pause begins)
// stand for a whole pause. So a paint is a frame when the next paint, or the end, comes one
// frame time later, and a fade is a run of frames of one control one frame time apart.
class FadeFrames : public QObject {
 public:
  struct Fade {
    QString control;
    int frames;
    std::int64_t startMs;
    std::int64_t endMs;
  };

  explicit FadeFrames(QWidget& splash) {
    for (QWidget* control : splash.findChildren<LumoFadeWidget*>()) {
      control->installEventFilter(this);
    }
  }

  std::vector<Fade> Fades(std::int64_t endMs) const {
    std::vector<Fade> fades;
    for (std::size_t i = 0; i < paints_.size(); ++i) {
      const auto& [control, atMs] = paints_[i];
      const std::int64_t nextMs = i + 1 < paints_.size() ? paints_[i + 1].second : endMs;
      if (nextMs - atMs != kFrameMs) continue;
      if (fades.empty() || fades.back().control != control || fades.back().endMs != atMs) {
        fades.push_back({control, 0, atMs, atMs});
      }
      ++fades.back().frames;
      fades.back().endMs = atMs + kFrameMs;
    }
    return fades;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      paints_.emplace_back(watched->objectName(), AppClock().NowMs());
    }
    return false;
  }

 private:
  std::vector<std::pair<QString, std::int64_t>> paints_;
};

TEST_F(StartUpTest, SplashFadesRunTheirFramesOnTime) {
  TFSplash splash;
  FadeFrames frames(splash);
  splash.show();
  EXPECT_EQ(pointer.Count(), -1);
  EXPECT_EQ(desktop.snapshots, 1);
  splash.Play();
  struct Expected {
    const char* control;
    int frames;
    std::int64_t startMs;
  };
  // Pauses of 1,000 ms before the first fade and between each fade in and out; frames 25 ms
  // apart, else they would not count as frames.
  const Expected expected[] = {{"LumoFade1", 51, 1000},
                               {"LumoFade2", 33, 2275},
                               {"LumoFade2", 33, 4100},
                               {"LumoFade3", 33, 4925},
                               {"LumoFade3", 33, 6750}};
  const auto fades = frames.Fades(clock.NowMs());
  ASSERT_EQ(fades.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(fades[i].control, QString::fromLatin1(expected[i].control));
    EXPECT_EQ(fades[i].frames, expected[i].frames);
    EXPECT_EQ(fades[i].startMs, expected[i].startMs);
  }
  EXPECT_EQ(clock.NowMs(), 7575);
  AppPointer().ShowCursor(true);
}

// A desktop that gives no snapshot, or one in device pixels, still fades the whole screen.
class SnapshotTest : public StartUpTest, public ::testing::WithParamInterface<QSize> {};

TEST_P(SnapshotTest, DesktopFadeCoversTheScreen) {
  desktop.snapshotSize = GetParam();
  TFSplash splash;
  FadeFrames frames(splash);
  splash.show();
  splash.Play();
  const auto* fade = splash.findChild<QWidget*>(QStringLiteral("LumoFade1"));
  EXPECT_EQ(fade->geometry(), QRect(0, 0, 800, 600));
  const auto fades = frames.Fades(clock.NowMs());
  ASSERT_FALSE(fades.empty());
  EXPECT_EQ(fades[0].frames, 51);
  AppPointer().ShowCursor(true);
}

INSTANTIATE_TEST_SUITE_P(Snapshots, SnapshotTest, ::testing::Values(QSize(), QSize(1600, 1200)));

TEST_F(StartUpTest, ScreensComeAfterTheSplashInTheirOrder) {
  const auto screens = StartUp({Noting("Form_premiere", true), Noting("Form_debut"),
                                Noting("Form_jeu6"), Noting("Form_param"), Noting("Form_aide")});
  ASSERT_TRUE(screens);
  ASSERT_EQ(made.size(), 5u);
  const char* order[] = {"Form_premiere", "Form_debut", "Form_jeu6", "Form_param", "Form_aide"};
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(made[i].name, order[i]);
    EXPECT_EQ(made[i].atMs, 7575) << "no time passes once the splash has ended";
    EXPECT_TRUE(made[i].splashAlive);
  }
  EXPECT_EQ(made[0].pointerCount, -1);
  EXPECT_EQ(made[1].pointerCount, 0);
  EXPECT_EQ(FindScreen(QStringLiteral("FSplash")), nullptr);
  EXPECT_EQ(pointer.Count(), 0);
  EXPECT_EQ(QApplication::applicationName(), "VERDAL");
}

class WrongDisplayTest : public StartUpTest, public ::testing::WithParamInterface<QSize> {};

TEST_P(WrongDisplayTest, SaysSoAndMakesNothing) {
  desktop.size = GetParam();
  const auto windowsBefore = QApplication::topLevelWidgets().size();
  EXPECT_FALSE(StartUp({Noting("Form_premiere", true)}));
  EXPECT_EQ(messages.shown, std::vector<std::string>{"Relancez VERDAL en 800x600, Merci!!"});
  EXPECT_TRUE(made.empty());
  EXPECT_EQ(desktop.snapshots, 0);
  EXPECT_EQ(pointer.Count(), 0);
  EXPECT_EQ(QApplication::topLevelWidgets().size(), windowsBefore);
}

INSTANTIATE_TEST_SUITE_P(Sizes, WrongDisplayTest,
                         ::testing::Values(QSize(1024, 768), QSize(800, 480), QSize(600, 800)));

TEST_F(StartUpTest, AnErrorOutsideCreationEndsWithStatusOne) {
  const ScreenMaker failing = []() -> std::unique_ptr<QWidget> {
    throw std::runtime_error("Panne au démarrage");
  };
  EXPECT_EQ(RunProgram({Noting("Form_premiere", false, true), failing}), 1);
  EXPECT_EQ(messages.shown, std::vector<std::string>{"Panne au démarrage"});
  EXPECT_EQ(FindScreen(QStringLiteral("FSplash")), nullptr);
  EXPECT_FALSE(TaskBarHidden());
  EXPECT_EQ(pointer.Count(), 0) << "the pointer comes back though no screen showed it";
}

// A signal in the message loop, or during start-up (handled by a step that lets events
// through, before any loop could end), ends the program with the task bar back.
class TerminationTest : public StartUpTest,
                        public ::testing::WithParamInterface<std::pair<int, bool>> {};

TEST_P(TerminationTest, SignalEndsTheProgramWithTheTaskBarBack) {
  const auto [signal, inLoop] = GetParam();
  // Owns the test's timers, so that none outlives the test and acts in a later test's loop.
  QObject watchdog;
  const ScreenMaker raising = [signal, inLoop, &watchdog] {
    if (inLoop) {
      QTimer::singleShot(0, &watchdog, [signal] {
        EXPECT_TRUE(TaskBarHidden());
        std::raise(signal);
      });
    } else {
      std::raise(signal);
      QCoreApplication::processEvents();
    }
    return std::make_unique<QWidget>();
  };
  QTimer::singleShot(5000, &watchdog, [] { QCoreApplication::exit(99); });
  EXPECT_EQ(RunProgram({Noting("Form_premiere", true, true), raising}), 128 + signal);
  EXPECT_FALSE(TaskBarHidden());
  // The default actions are back once the program has left.
  struct sigaction now {};
  sigaction(signal, nullptr, &now);
  EXPECT_EQ(now.sa_handler, SIG_DFL);
}

INSTANTIATE_TEST_SUITE_P(Signals, TerminationTest,
                         ::testing::Values(std::pair{SIGTERM, true}, std::pair{SIGINT, true},
                                           std::pair{SIGHUP, true}, std::pair{SIGTERM, false}));

// A signal while a message box waits for its OK (an error of a screen's creation) closes
// it, and an error after it is logged rather than shown: neither holds the way out.
TEST_F(StartUpTest, SignalClosesTheMessageBoxThatWaits) {
  QtMessages boxes;
  ScopedMessages shown(boxes);
  QObject watchdog;
  bool watchdogFired = false;
  const ScreenMaker failing = [&watchdog] {
    QTimer::singleShot(0, &watchdog, [] { std::raise(SIGTERM); });
    ReportErrors([] { throw std::runtime_error("Fichier introuvable"); });
    ReportErrors([] { throw std::runtime_error("Fichier introuvable"); });
    return std::make_unique<QWidget>();
  };
  // Closes whatever box still waits, as often as one comes.
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [&watchdogFired] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->isModal() && window->isVisible()) watchdogFired = window->close();
    }
  });
  closer.start(2000);
  EXPECT_EQ(RunProgram({Noting("Form_premiere", true, true), failing}), 128 + SIGTERM);
  EXPECT_FALSE(watchdogFired) << "a message box held the program until the watchdog";
}

// The application's end reaches every wait: the one under way, the one inside it and any
// started later, which returns at once as the message loop does. End, given to a wait that
// runs again inside itself, ends both runs. The waits have no time limit: one that the end
// missed would wait for the watchdog.
class WaitEndTest : public StartUpTest, public ::testing::WithParamInterface<bool> {};

TEST_P(WaitEndTest, EndsTheWaitInsideAndTheOneOutside) {
  const bool byApplication = GetParam();
  ApplicationRun run;
  EventWait outer, other;
  EventWait& inner = byApplication ? other : outer;
  QObject timers;
  bool rescued = false;
  QTimer::singleShot(5000, &timers, [&] {
    rescued = true;
    outer.End();
    other.End();
    ApplicationRun::End(99);
  });
  bool innerRun = byApplication;  // wrong until the inner wait returns
  QTimer::singleShot(0, &timers, [&] {
    QTimer::singleShot(0, &timers, [&] { byApplication ? ApplicationRun::End(3) : inner.End(); });
    innerRun = inner.Run();
  });
  EXPECT_EQ(outer.Run(), !byApplication);
  EXPECT_EQ(innerRun, !byApplication);
  if (byApplication) {
    EXPECT_FALSE(outer.Run());
    EXPECT_FALSE(other.Run(0));
    EXPECT_THROW(PauseWithEvents(outer, 100, [] { return false; }), Abandoned);
    EXPECT_EQ(run.Exec(), 3);
  }
  EXPECT_FALSE(rescued);
}

INSTANTIATE_TEST_SUITE_P(Ends, WaitEndTest, ::testing::Bool(), [](const auto& info) {
  return info.param ? "OfTheApplication" : "OfTheInnerWait";
});

// A signal in the middle of a pause or a wait ends the program at once with the task bar back,
// cutting short what would run on: the splash (its banner never fades out), a marking (the next
// row never comes), the next-word panel (else a wait for ever), the end-of-match dissolve (it
// stops at its tenth of 126 paints), the settings screen. A fade handles no event: the signal
// comes from its paint, on the real clock from its first; else from a pass of the loops.
struct WaitPlace {
  const char* name;
  int signal;
  const char* typed;  // into the game screen (one player); nullptr: the settings screen
  const char* fade;
  int atPaint;
  std::function<bool(QWidget& game)> raiseWhen;
  std::function<bool(int fadePaints, const QString& secondRow)> cutShort;
};

class SignalInAWaitTest : public StartUpTest,
                          public ::testing::WithParamInterface<WaitPlace>,
                          public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->objectName() == GetParam().fade) {
      if (++paints == 1) InstallClock(&MachineClock());
      if (paints == GetParam().atPaint) std::raise(GetParam().signal);
    }
    return false;
  }
  std::unique_ptr<QWidget> Game(const WaitPlace& place) {
    auto game = std::make_unique<TForm_jeu6>();
    game->findChild<QWidget*>(QStringLiteral("LumoFade1"))->setObjectName("GameFade");
    game->show();
    auto* pass = new QTimer(game.get());
    connect(pass, &QTimer::timeout, [g = game.get(), &place, raised = false]() mutable {
      auto* ok = g->findChild<QWidget*>(QStringLiteral("Image_ok"));
      if (!raised && (raised = place.raiseWhen(*g))) std::raise(place.signal);
      if (!raised && ok->isVisible()) QTest::mouseClick(ok, Qt::LeftButton);
    });
    pass->start(0);
    QTimer::singleShot(0, game.get(),
                       [g = game.get(), &place] { QTest::keyClicks(g, place.typed); });
    connect(qApp, &QCoreApplication::aboutToQuit, game.get(),
            [this, g = game.get()] { secondRow = g->findChild<QLabel*>("Panel2_1")->text(); });
    QTimer::singleShot(20000, game.get(), [] { QCoreApplication::exit(99); });
    return game;
  }
  int paints = 0;
  QString secondRow;
};

TEST_P(SignalInAWaitTest, EndsTheProgramAtOnce) {
  const WaitPlace& place = GetParam();
  // Sound off, level "Perso" on a list of one word: every deal's word is known.
  std::ofstream(folder_.Path() / "data", std::ios::binary)
      << test::SettingsBytes(test::Settings(6, 4, 1, 2, 600));
  std::ofstream(folder_.Path() / "perso", std::ios::binary) << "1\r\nCITRON\r\n";
  qApp->installEventFilter(this);
  QWidget setup;
  setup.setObjectName(QStringLiteral("Form_debut"));
  (new QLabel(QStringLiteral("1"), &setup))->setObjectName(QStringLiteral("Label1"));
  const ScreenMaker settings = [&place] {
    auto screen = std::make_unique<TForm_param>();
    ReportErrors([&] { screen->FormCreate(); });
    screen->show();
    QTimer::singleShot(0, screen.get(), [&place] { std::raise(place.signal); });
    return screen;
  };
  const ScreenMaker game = [&] { return Game(place); };
  EXPECT_EQ(RunProgram({Noting("Form_premiere", true, true), place.typed ? game : settings}),
            128 + place.signal);
  EXPECT_FALSE(TaskBarHidden());
  EXPECT_TRUE(place.cutShort(paints, secondRow)) << paints << " paints";
}

const auto kNever = [](QWidget&) { return false; };
const auto kEnded = [](int, const QString&) { return true; };

INSTANTIATE_TEST_SUITE_P(
    Places, SignalInAWaitTest,
    ::testing::Values(
        WaitPlace{"Splash", SIGINT, "", "LumoFade2", 1, kNever,
                  [](int paints, const QString&) { return paints <= 33; }},
        WaitPlace{"Marking", SIGTERM, "zzzzzz", "-", 0,
                  [](QWidget& g) { return g.findChild<QLabel*>("Panel1_6")->text() == "Z"; },
                  [](int, const QString& row) { return row.isEmpty(); }},
        WaitPlace{"NextWordPanel", SIGHUP, "citron", "-", 0,
                  [](QWidget& g) { return g.findChild<QWidget*>("Panel5")->isVisible(); }, kEnded},
        WaitPlace{"EndOfMatchDissolve", SIGTERM,
                  "citroncitroncitroncitroncitroncitroncitroncitroncitroncitron", "GameFade", 10,
                  kNever, [](int paints, const QString&) { return paints < 20; }},
        WaitPlace{"SettingsScreen", SIGINT, nullptr, "-", 0, kNever, kEnded}),
    [](const auto& info) { return info.param.name; });

// The real screens, from the files beside the program.
class ProgramStartUpTest : public StartUpTest, public ::testing::WithParamInterface<bool> {
 protected:
  ProgramStartUpTest() {
    for (const char* name : {"data", "perso"}) {
      std::filesystem::copy_file(std::filesystem::path(VERDAL_DATA_DIR) / name,
                                 folder_.Path() / name);
    }
  }
};

TEST_P(ProgramStartUpTest, CreatesEveryScreenOnceWithOrWithoutMots) {
  const bool withMots = GetParam();
  if (withMots) WriteMots();
  auto screens = StartUp(ProgramScreens());
  ASSERT_TRUE(screens);
  std::vector<QString> names;
  for (const auto& screen : *screens) names.push_back(screen->objectName());
  ASSERT_GE(names.size(), 2u);
  EXPECT_EQ(names[0], "Form_premiere");
  EXPECT_EQ(names[1], "Form_debut");
  EXPECT_EQ(messages.shown.size(), withMots ? 0u : 1u);
  QWidget& welcome = *screens->front();
  EXPECT_TRUE(welcome.isVisible());
  EXPECT_TRUE(welcome.isFullScreen());
  EXPECT_EQ(welcome.findChild<QWidget*>(QStringLiteral("Image_jouer"))->isVisible(), withMots);
  for (std::size_t i = 1; i < screens->size(); ++i) EXPECT_FALSE((*screens)[i]->isVisible());
  EXPECT_EQ(pointer.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Mots, ProgramStartUpTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "WithMots" : "WithoutMots"; });

}  // namespace
}  // namespace verdal::test
