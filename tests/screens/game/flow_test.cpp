// Form_jeu6 in play: matches typed from the keyboard, the chronometer, the panels between
// deals and at the end, the images, sounds, closing in the middle of things, and errors.
#include <QLabel>
#include <QProgressBar>

#include "tests/screens/game/game_screen_fixture.h"

namespace verdal::test {
namespace {

const QColor kRed(255, 0, 0), kBlack(0, 0, 0), kSilver(192, 192, 192), kGrey(128, 128, 128),
    kNavy(0, 0, 128);

QColor Background(const QWidget* w) { return w->palette().color(QPalette::Window); }
QColor Foreground(const QWidget* w) { return w->palette().color(QPalette::WindowText); }

class GameFlow : public GameScreen {
 protected:
  int Bar(int player) const {
    return Get<QProgressBar>(player == 1 ? "ProgressBar1" : "ProgressBar2")->value();
  }
  void Tick(int times) {
    for (int i = 0; i < times; ++i) ReportErrors([&] { form_->Timer1Timer(); });
  }
  bool NextWordPanel() const { return Get("Panel5")->isVisible(); }
  // Whose turn the panels show: the name in navy, the panel silver, the laughing face and
  // the only bar; the other player's panel grey with the sad face.
  void ExpectTurn(int player, int line) {
    const int other = 3 - player;
    auto name = [](const char* f, int p) { return QString::fromLatin1(f).arg(p).toLatin1(); };
    SCOPED_TRACE(line);
    EXPECT_EQ(Foreground(Get(name("Label_joueur%1", player))), kNavy);
    EXPECT_EQ(Foreground(Get(name("Label_joueur%1", other))), kBlack);
    EXPECT_EQ(Background(Get(name("Panel_control%1", player))), kSilver);
    EXPECT_EQ(Background(Get(name("Panel_control%1", other))), kGrey);
    EXPECT_TRUE(Shown(name("ProgressBar%1", player)));
    EXPECT_FALSE(Shown(name("ProgressBar%1", other)));
    EXPECT_TRUE(Shown(name("Image%1_rire", player)));
    EXPECT_TRUE(Shown(name("Image%1_triste", other)));
    EXPECT_FALSE(Shown(name("Image%1_rire", other)));
  }
};

TEST_F(GameFlow, TwoPlayersPlayToTenPointsThenAgainWithNewSettingsThenLeave) {
  std::vector<QString> messages;
  AcknowledgeEveryWord([&] { messages.push_back(Text("Panel_suivant")); });
  Start(2);
  EXPECT_TRUE(Shown("Panel_control2"));
  EXPECT_TRUE(timer()->isActive());
  EXPECT_EQ(timer()->interval(), 100);
  ExpectTurn(1, __LINE__);
  Type("bat");
  EXPECT_EQ(ProposalRow(), "BAT   ");
  Type("eau");
  EXPECT_EQ(Text("Panel_scorejoueur1"), "1");
  EXPECT_EQ(Background(Get("P1_joueur1")), kRed);
  EXPECT_EQ(Background(Get("P2_joueur1")), kBlack);
  ExpectTurn(2, __LINE__);  // the player who ended a deal does not open the next one
  EXPECT_EQ(BoardRow(1), "B.....");
  EXPECT_EQ(ProposalRow(), "      ");

  for (int deal = 2; deal <= 10; ++deal) {
    Type("ZZZZZZ");  // Léo misses
    EXPECT_EQ(BoardRow(2), "B.....") << deal;
    Type("bateau");  // Anne finds it on row 2
  }
  EXPECT_EQ(messages, std::vector<QString>(9, QStringLiteral("Bravo Anne !!")));
  EXPECT_EQ(Text("Panel_scorejoueur1"), "10");
  EXPECT_EQ(Text("Panel_scorejoueur2"), "0");
  EXPECT_EQ(Background(Get("P3_Joueur1")), kRed);
  EXPECT_EQ(Background(Get("P10_joueur1")), kRed);
  EXPECT_TRUE(Shown("Panel_bravo"));
  EXPECT_FALSE(NextWordPanel());
  EXPECT_FALSE(Shown("Panel_jeu6"));
  Type("bateau");  // nothing is taken on the end-of-match panel
  EXPECT_EQ(ProposalRow(), "      ");

  UseSettings(7, 1, 50);
  Click("BitBtn1");
  EXPECT_FALSE(Shown("Panel_bravo"));
  EXPECT_TRUE(Shown("Panel_jeu7"));
  EXPECT_FALSE(Shown("Panel_jeu6"));
  EXPECT_EQ(timer()->interval(), 50);
  EXPECT_EQ(Text("Panel_scorejoueur1"), "0");
  EXPECT_EQ(Background(Get("P10_joueur1")), kBlack);
  EXPECT_EQ(Text("Panel8_1_1"), "C");
  ExpectTurn(1, __LINE__);

  Click("BitBtn2");
  EXPECT_FALSE(form_->isVisible());
  EXPECT_FALSE(timer()->isActive());
  EXPECT_TRUE(recorded_.shown.empty());
}

// 100 steps are a time-out; with two players, player 2's bar takes its first step in the
// tick that ran player 1 out.
TEST_F(GameFlow, TheChronometerRunsTheBarOfThePlayerToPlay) {
  struct Case {
    int players;
    int ticks;
    int bar1, bar2;
    int rowPrepared;
    int toPlay;
  };
  // The last row running out reveals the word, its bar back at 0 (500 ticks: a new deal).
  const Case cases[] = {{1, 99, 99, 0, 1, 1}, {1, 100, 0, 0, 2, 1}, {2, 99, 99, 0, 1, 1},
                        {2, 100, 0, 1, 2, 2}, {2, 199, 0, 0, 3, 1}, {2, 200, 1, 0, 3, 1},
                        {1, 500, 0, 0, 1, 1}};
  int reveals = 0;
  AcknowledgeEveryWord([&] {
    ++reveals;
    EXPECT_EQ(Bar(1), 0);
    EXPECT_EQ(Bar(2), 0);
  });
  for (const Case& c : cases) {
    form_->hide();
    Start(c.players);
    Type("ba");
    reveals = 0;
    Tick(c.ticks);
    SCOPED_TRACE(testing::Message() << c.players << " players, " << c.ticks << " ticks");
    EXPECT_EQ(reveals, c.ticks / 500);
    EXPECT_EQ(Bar(1), c.bar1);
    EXPECT_EQ(Bar(2), c.bar2);
    EXPECT_EQ(BoardRow(c.rowPrepared), "B.....");
    if (c.rowPrepared < 5) {
      EXPECT_EQ(BoardRow(c.rowPrepared + 1), "      ");
    }
    EXPECT_EQ(ProposalRow(), c.ticks < 100 ? "BA    " : "      ");
    if (c.players == 2) ExpectTurn(c.toPlay, __LINE__);
  }
}

TEST_F(GameFlow, KeysTypedDuringAnAnimationAreIgnored) {
  During([] { return true; }, [&] { Type("xyz"); });
  Start(2);
  Type("qqqqqq");
  EXPECT_EQ(ProposalRow(), "      ");
  EXPECT_EQ(BoardRow(1), "QQQQQQ");
  EXPECT_EQ(BoardRow(2), "B.....");
  Type("r");
  EXPECT_EQ(ProposalRow(), "R     ");
}

// Every key with a character takes one position, shown as typed; keys without one take none.
TEST_F(GameFlow, EachCharacterKeyIsOnePositionShownAsTyped) {
  Start(1);
  QTest::keyClick(form_.get(), Qt::Key_B);
  QTest::sendKeyEvent(QTest::Click, form_.get(), Qt::Key_Eacute, QStringLiteral("é"), {});
  QTest::keyClick(form_.get(), Qt::Key_Shift);
  QTest::keyClick(form_.get(), Qt::Key_Left);
  QTest::sendKeyEvent(QTest::Click, form_.get(), Qt::Key_unknown, QStringLiteral("€"), {});
  QTest::keyClick(form_.get(), Qt::Key_Tab);
  EXPECT_EQ(ProposalRow(), QStringLiteral("Bé€\t  "));
  Type("ab");  // a proposal that is not six letters is not laid out, and uses up the row
  EXPECT_EQ(BoardRow(1), "B.....");
  EXPECT_EQ(BoardRow(2), "B.....");
  EXPECT_EQ(ProposalRow(), "      ");
}

TEST_F(GameFlow, HelpWorksOnlyOnTheNextWordPanelAndQuitEverywhereElse) {
  QWidget help;
  help.setObjectName(QStringLiteral("Form_aide"));
  bool shownOnPanel = false, stayedOnPanel = false;
  During([&] { return NextWordPanel(); },
         [&] {
           Click("Image_quitter");
           Click("Image_aide");
           stayedOnPanel = form_->isVisible();
           shownOnPanel = help.isVisible();
           Click("Image_ok");
         });
  Start(1);
  Type("bateau");
  EXPECT_TRUE(stayedOnPanel);
  EXPECT_TRUE(shownOnPanel);
  help.hide();
  Click("Image_aide");
  EXPECT_FALSE(help.isVisible());
  Click("Image_quitter");
  EXPECT_FALSE(form_->isVisible());
}

// The help image names itself only where it works: on the next-word panel.
TEST_F(GameFlow, HoverLabelsNameTheImagesUntilTheMouseMovesOverTheGame) {
  struct Case {
    const char* over;
    const char* quitter;
    const char* aide;
  };
  const auto moves = [this](const std::vector<Case>& cases, const char* when) {
    for (const Case& c : cases) {
      QTest::mouseMove(Get(c.over), QPoint(4, 4));
      EXPECT_EQ(Text("Label_quitter"), c.quitter) << when << " " << c.over;
      EXPECT_EQ(Text("Label_aide"), c.aide) << when << " " << c.over;
    }
  };
  AcknowledgeEveryWord([&] {
    moves({{"Image_aide", "", "Aide"},
           {"Panel_suivant", "", ""},
           {"Image_aide", "", "Aide"},
           {"Image_quitter", "", "Aide"},
           {"Image2", "", ""}},
          "next word");
  });
  Start(2);
  moves({{"Image_quitter", "Quitter", ""},
         {"Panel1_1", "", ""},
         {"Image_quitter", "Quitter", ""},
         {"Image_aide", "Quitter", ""},
         {"Panel_control2", "", ""},
         {"Image_quitter", "Quitter", ""},
         {"Image2", "", ""},
         {"Image_quitter", "Quitter", ""},
         {"Panel_scorejoueur1", "", ""}},
        "deal");
  Type("bateau");
}

TEST_F(GameFlow, SoundsFollowEachLetterAndMarkWhenSoundIsOn) {
  struct Case {
    int sound;
    const char* typed;
    const char* cues;  // J: Wave_jaune, R: Wave_rouge
  };
  const Case cases[] = {{1, "battue",
                         "JJJJJJ"
                         "RRRJRR"},
                        {1, "bat3au", "JJJJJJ"},
                        {1, "bateau",
                         "JJJJJJ"
                         "RRRRRR"},
                        {2, "battue", ""},
                        {2, "bateau", ""}};
  AcknowledgeEveryWord();
  for (const Case& c : cases) {
    UseSettings(6, c.sound);
    form_->hide();
    Start(1);
    cues_.cues.clear();
    Type(c.typed);
    EXPECT_EQ(cues_.cues, c.cues) << c.sound << " " << c.typed;
  }
}

// Closing while the proposal is marked or the next word waits gives the match up: nothing
// keeps running behind the hidden window, and showing it again deals a new match.
TEST_F(GameFlow, ClosingInTheMiddleOfThingsGivesTheMatchUp) {
  struct Case {
    const char* moment;
    const char* typed;
    std::function<bool()> when;
    std::function<void()> close;
  };
  const auto quitImage = [this] { Click("Image_quitter"); };
  const auto system = [this] { form_->close(); };
  const Case cases[] = {
      {"marking, quit image", "zzzzzz", [this] { return BoardRow(1) == "ZZ    "; }, quitImage},
      {"marking, closed by the system", "bateau", [this] { return BoardRow(1) == "BATE  "; },
       system},
      {"next word, closed by the system", "bateau", [this] { return NextWordPanel(); }, system},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.moment);
    form_->hide();
    Start(2);
    During(c.when, c.close);
    Type(c.typed);
    EXPECT_FALSE(form_->isVisible());
    EXPECT_FALSE(timer()->isActive());

    AcknowledgeEveryWord();
    Start(2);
    EXPECT_TRUE(timer()->isActive());
    EXPECT_FALSE(NextWordPanel());
    EXPECT_TRUE(Get("Image_quitter")->isEnabled());
    EXPECT_EQ(BoardRow(1), "B.....");
    EXPECT_EQ(Text("Panel_scorejoueur1"), "0");
    ExpectTurn(1, __LINE__);
    Type("bateau");
    EXPECT_EQ(Text("Panel_scorejoueur1"), "1");
  }
  EXPECT_TRUE(recorded_.shown.empty());
}

// Shown again before the match it gave up has unwound: the new match waits for it.
TEST_F(GameFlow, ShownAgainAtOnceAfterClosingStartsAFreshMatch) {
  During([&] { return NextWordPanel(); },
         [&] {
           form_->close();
           form_->show();
         });
  Start(2);
  Type("bateau");
  EXPECT_TRUE(form_->isVisible());
  EXPECT_FALSE(NextWordPanel());
  EXPECT_TRUE(timer()->isActive());
  EXPECT_EQ(Text("Panel_scorejoueur1"), "0");
  EXPECT_EQ(BoardRow(1), "B.....");
  ExpectTurn(1, __LINE__);
  EXPECT_TRUE(recorded_.shown.empty());
}

TEST_F(GameFlow, AMatchThatCannotStartLeavesAnEmptyWindowThatQuitCloses) {
  struct Case {
    const char* what;
    std::function<void()> files;
    const char* message;
  };
  const Case cases[] = {
      {"no data", [] { std::filesystem::remove("data"); }, "Fichier introuvable"},
      {"no word", [&] { UseSettings(6, 1, 100, 4, 1), WriteBytes("perso", "0\r\n"); },
       "Il n'y a aucun mot!!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.files();
    recorded_.shown.clear();
    Start(2);
    EXPECT_EQ(recorded_.shown, std::vector<std::string>{c.message});
    EXPECT_TRUE(form_->isVisible());
    for (const char* hidden : {"Panel_jeu6", "Panel_jeu7", "Panel_jeu8", "Panel2", "Panel13",
                               "Panel1", "Panel5", "Panel_bravo"}) {
      EXPECT_FALSE(Shown(hidden)) << hidden;
    }
    EXPECT_FALSE(timer()->isActive());
    Type("bateau");
    EXPECT_EQ(cues_.cues, "");
    Click("Image_quitter");
    EXPECT_FALSE(form_->isVisible());
  }
}

// The pause runs on the installed clock and handles events while it lasts.
TEST_F(GameFlow, PauseHandlesEventsUntilItsTimeIsUp) {
  Start(1);
  bool handled = false;
  QTimer::singleShot(0, [&] { handled = true; });
  const std::int64_t start = manual_.NowMs();
  form_->Pause(300);
  EXPECT_TRUE(handled);
  EXPECT_EQ(manual_.NowMs() - start, 301);
}

}  // namespace
}  // namespace verdal::test
