// Form_debut: hover labels, the second player's box, the refusal and the start of a match.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include "screens/setup/form_debut.h"
#include "screens/support/control_look.h"
#include "screens/support/full_screen.h"
#include "tests/screens/front/front_fixture.h"
#include "tests/screens/front/screen_driver.h"

namespace verdal::test {
namespace {

constexpr QPoint kPlay{752, 527}, kQuit{48, 527}, kHelp{752, 32}, kParam{48, 32},
    kBackground{200, 100}, kBareWindow{20, 300}, kNameField{300, 240}, kCheckBox{512, 374},
    kHeading{300, 190};

// Stands in for the game screen: the two name labels the set-up screen writes.
struct FakeGame {
  FakeGame() {
    screen.setObjectName(QStringLiteral("Form_jeu6"));
    first->setObjectName(QStringLiteral("Label_joueur1"));
    second->setObjectName(QStringLiteral("Label_joueur2"));
  }
  QWidget screen;
  QLabel* first = new QLabel(&screen);
  QLabel* second = new QLabel(&screen);
};

class SetupTest : public FrontTest {
 protected:
  SetupTest() {
    AvailableWordCount = 12;
    screen.FormCreate();
    ShowFullScreen(screen);
  }
  QString Caption(const char* name) { return Named<QLabel>(screen, name).text(); }
  QLineEdit& Field(const char* name) { return Named<QLineEdit>(screen, name); }
  QCheckBox& Box() { return Named<QCheckBox>(screen, "CheckBox1"); }

  TForm_debut screen;
};

using HoverCase = HoverPath<const char*>;  // extra: the settings label

class SetupHoverTest : public SetupTest, public ::testing::WithParamInterface<HoverCase> {};

TEST_P(SetupHoverTest, AtMostOneLabelNamesItsButton) {
  for (QPoint at : GetParam().path) MoveTo(screen, at);
  EXPECT_EQ(Caption("Label_jouer"), QString::fromUtf8(GetParam().jouer));
  EXPECT_EQ(Caption("Label_quitter"), QString::fromUtf8(GetParam().quitter));
  EXPECT_EQ(Caption("Label_aide"), QString::fromUtf8(GetParam().aide));
  EXPECT_EQ(Caption("Label_param"), QString::fromUtf8(GetParam().extra));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SetupHoverTest,
    ::testing::Values(HoverCase{"Play", {kPlay}, "Jouer", "", "", ""},
                      HoverCase{"Settings", {kParam}, "", "", "", "Réglages"},
                      HoverCase{"PlayThenQuit", {kPlay, kQuit}, "", "Quitter", "", ""},
                      HoverCase{"HelpThenSettings", {kHelp, kParam}, "", "", "", "Réglages"},
                      HoverCase{"SettingsThenHelp", {kParam, kHelp}, "", "", "Aide", ""},
                      HoverCase{"BackgroundEmpties", {kPlay, kBackground}, "", "", "", ""},
                      HoverCase{"BareWindowEmpties", {kQuit, kBareWindow}, "", "", "", ""},
                      HoverCase{"NameFieldKeeps", {kPlay, kNameField}, "Jouer", "", "", ""},
                      HoverCase{"CheckBoxKeeps", {kHelp, kCheckBox}, "", "", "Aide", ""},
                      HoverCase{"HeadingKeeps", {kParam, kHeading}, "", "", "", "Réglages"}),
    [](const auto& info) { return info.param.name; });

TEST_F(SetupTest, HoverLabelsHaveTheirButtonsColours) {
  const std::pair<const char*, QColor> colours[] = {{"Label_jouer", Qt::blue},
                                                    {"Label_quitter", Qt::red},
                                                    {"Label_aide", QColor(0, 255, 0)},
                                                    {"Label_param", QColor(128, 0, 128)}};
  for (const auto& [name, colour] : colours) {
    EXPECT_EQ(TextColour(Named(screen, name)), colour) << name;
  }
}

TEST_F(SetupTest, FieldsStartWithTheirNamesAndTypeCapitals) {
  EXPECT_EQ(Field("MaskEdit1").text(), "NOM #1");
  EXPECT_EQ(Field("MaskEdit2").text(), "NOM #2");
  QLineEdit& first = Field("MaskEdit1");
  first.setFocus();
  first.clear();
  QTest::keyClicks(&first, "zoe");
  QTest::sendKeyEvent(QTest::Click, &first, Qt::Key_Eacute, QStringLiteral("é"), {});
  EXPECT_EQ(first.text(), QStringLiteral("ZOEÉ"));
}

QWidget* TabFrom(QWidget& screen, QWidget& from) {
  from.setFocus();
  QTest::keyClick(screen.windowHandle(), Qt::Key_Tab);
  return QApplication::focusWidget();
}

TEST_F(SetupTest, UncheckingHidesTheSecondNameAndPutsItFirst) {
  QLineEdit& first = Field("MaskEdit1");
  QLineEdit& second = Field("MaskEdit2");
  screen.activateWindow();
  EXPECT_EQ(TabFrom(screen, first), &second);
  EXPECT_EQ(TabFrom(screen, second), &Box());
  EXPECT_EQ(TextColour(second), QColor(0, 0, 128));

  ClickAt(screen, kCheckBox);
  ASSERT_FALSE(Box().isChecked());
  EXPECT_EQ(TextColour(second), Qt::white);
  EXPECT_EQ(TabFrom(screen, Box()), &second);
  EXPECT_EQ(TabFrom(screen, second), &first);
  EXPECT_EQ(TabFrom(screen, first), &Box());

  ClickAt(screen, kCheckBox);
  EXPECT_EQ(TextColour(second), QColor(0, 0, 128));
  EXPECT_EQ(TabFrom(screen, second), &first) << "checking again keeps the new order";
}

TEST_F(SetupTest, NoPlayableWordRefusesTheMatch) {
  FakeGame game;
  AvailableWordCount = 0;
  ClickAt(screen, kCheckBox);
  ClickAt(screen, kPlay);
  EXPECT_EQ(messages.shown,
            std::vector<std::string>{"Il n'y a aucun mot, allez dans \"Règlages\""});
  EXPECT_EQ(Caption("Label1"), "2");
  EXPECT_FALSE(game.screen.isVisible());
  EXPECT_EQ(screen.PlayerCount(), 0);
}

struct StartCase {
  const char* name;
  bool untouched;
  const char* first;
  const char* second;
  bool twoPlayers;
  const char* label1;
  const char* shownFirst;
  const char* shownSecond;
};

class SetupStartTest : public SetupTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(SetupStartTest, NamesAndCountReachTheGame) {
  FakeGame game;
  const StartCase& c = GetParam();
  if (!c.untouched) {
    Field("MaskEdit1").setText(QString::fromUtf8(c.first));
    Field("MaskEdit2").setText(QString::fromUtf8(c.second));
  }
  if (!c.twoPlayers) ClickAt(screen, kCheckBox);
  ClickAt(screen, kPlay);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(Caption("Label1"), c.label1);
  EXPECT_EQ(game.first->text(), QString::fromUtf8(c.shownFirst));
  EXPECT_EQ(game.second->text(), QString::fromUtf8(c.shownSecond));
  EXPECT_TRUE(game.screen.isVisible());
  EXPECT_EQ(screen.PlayerCount(), c.twoPlayers ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, SetupStartTest,
    ::testing::Values(
        StartCase{"Untouched", true, "", "", true, "2", "NOM #1", "NOM #2"},
        StartCase{"TenLettersCutToSeven", false, "ABCDEFGHIJ", "LUC", true, "2", "ABCDEFG", "LUC"},
        StartCase{"SevenPassWhole", false, "ABCDEFG", "ABCDEFGH", true, "2", "ABCDEFG", "ABCDEFG"},
        StartCase{"OnePlayerStillPassesTheSecond", false, "ANNE", "PAUL", false, "1", "ANNE",
                  "PAUL"},
        StartCase{"EmptyNames", false, "", "", true, "2", "", ""},
        StartCase{"AccentsCountOnce", false, "ÉLÉONORE", "CHLOÉ", true, "2", "ÉLÉONOR", "CHLOÉ"}),
    [](const auto& info) { return info.param.name; });

TEST(CutNameTest, NeverSplitsACharacter) {
  const std::pair<QString, QString> cases[] = {
      // A capital with its accent typed as a second code stays whole.
      {QStringLiteral("E\u0301E\u0301E\u0301E\u0301E\u0301E\u0301E\u0301E\u0301"),
       QStringLiteral("E\u0301E\u0301E\u0301E\u0301E\u0301E\u0301E\u0301")},
      // A character outside the basic plane is two UTF-16 units.
      {QStringLiteral("ABCDEF\U0001D400Z"), QStringLiteral("ABCDEF\U0001D400")},
      {QStringLiteral("ABC"), QStringLiteral("ABC")},
  };
  for (const auto& [name, cut] : cases) EXPECT_EQ(CutName(name), cut) << name.toStdString();
}

TEST_F(SetupTest, QuitUncoversAndOtherButtonsShowTheirWindows) {
  QWidget settings, help;
  settings.setObjectName(QStringLiteral("Form_param"));
  help.setObjectName(QStringLiteral("Form_aide"));
  ClickAt(screen, kParam);
  EXPECT_TRUE(settings.isVisible());
  ClickAt(screen, kHelp);
  EXPECT_TRUE(help.isVisible());
  ClickAt(screen, kQuit);
  EXPECT_FALSE(screen.isVisible());
}

}  // namespace
}  // namespace verdal::test
