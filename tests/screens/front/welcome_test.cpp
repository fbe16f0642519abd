// Form_premiere: creation with and without "mots", hover labels, the link, the way out.
#include <QLabel>
#include <QTimer>

#include "components/cboxbmp/qt/scrolling_text_bmp.h"
#include "platform/task_bar.h"
#include "screens/support/control_look.h"
#include "screens/support/event_wait.h"
#include "screens/support/full_screen.h"
#include "screens/support/makers.h"
#include "screens/welcome/form_premiere.h"
#include "tests/screens/front/front_fixture.h"
#include "tests/screens/front/screen_driver.h"

namespace verdal::test {
namespace {

constexpr QPoint kPlay{752, 527}, kQuit{48, 527}, kHelp{752, 32}, kLink{392, 458},
    kBackground{120, 500}, kScrollText{300, 200}, kBareWindow{20, 300};

class WelcomeTest : public FrontTest {
 protected:
  void Create() {
    ASSERT_TRUE(ReportErrors([&] { screen.FormCreate(); }));
    ShowFullScreen(screen);
  }
  QString Caption(const char* name) { return Named<QLabel>(screen, name).text(); }
  bool Shown(const char* name) { return Named(screen, name).isVisible(); }

  TForm_premiere screen;
};

using HoverCase = HoverPath<QColor>;  // extra: the link's colour

class WelcomeHoverTest : public WelcomeTest, public ::testing::WithParamInterface<HoverCase> {};

TEST_P(WelcomeHoverTest, LabelsAndLinkFollowThePointer) {
  WriteMots();
  Create();
  for (QPoint at : GetParam().path) MoveTo(screen, at);
  EXPECT_EQ(Caption("Label_jouer"), QString::fromUtf8(GetParam().jouer));
  EXPECT_EQ(Caption("Label_quitter"), QString::fromUtf8(GetParam().quitter));
  EXPECT_EQ(Caption("Label_aide"), QString::fromUtf8(GetParam().aide));
  EXPECT_EQ(TextColour(Named(screen, "Label_web")), GetParam().extra);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, WelcomeHoverTest,
    ::testing::Values(
        HoverCase{"Play", {kPlay}, "Jouer", "", "", Qt::white},
        HoverCase{"PlayThenQuit", {kPlay, kQuit}, "", "Quitter", "", Qt::white},
        HoverCase{"QuitThenPlay", {kQuit, kPlay}, "Jouer", "", "", Qt::white},
        HoverCase{"HelpStaysOverOtherButtons", {kHelp, kPlay}, "Jouer", "", "Aide", Qt::white},
        HoverCase{"BackgroundEmptiesAll", {kHelp, kPlay, kBackground}, "", "", "", Qt::white},
        HoverCase{"ScrollingTextEmptiesAll", {kHelp, kQuit, kScrollText}, "", "", "", Qt::white},
        HoverCase{"BareWindowEmptiesAll", {kHelp, kBareWindow}, "", "", "", Qt::white},
        HoverCase{"LinkTurnsBlue", {kPlay, kLink}, "Jouer", "", "", Qt::blue},
        HoverCase{"BackgroundTurnsLinkWhite", {kLink, kBackground}, "", "", "", Qt::white}),
    [](const auto& info) { return info.param.name; });

TEST_F(WelcomeTest, HoverLabelsHaveTheirButtonsColours) {
  WriteMots();
  Create();
  const std::pair<const char*, QColor> colours[] = {
      {"Label_jouer", Qt::blue}, {"Label_quitter", Qt::red}, {"Label_aide", QColor(0, 255, 0)}};
  for (const auto& [name, colour] : colours) {
    EXPECT_EQ(TextColour(Named(screen, name)), colour) << name;
  }
}

TEST_F(WelcomeTest, CreationTakesTheDesktopAndStartsTheText) {
  WriteMots();
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  Create();
  EXPECT_TRUE(TaskBarHidden());
  EXPECT_TRUE(screen.isFullScreen());
  EXPECT_EQ(std::filesystem::current_path(), folder_.Path());
  EXPECT_EQ(pointer.Count(), 1);
  for (const char* name :
       {"Image_jouer", "Image_quitter", "Image_fond", "Image_aide", "Label_web"}) {
    EXPECT_TRUE(Shown(name)) << name;
  }
  EXPECT_TRUE(Named<TScrollingTextBmp>(screen, "ScrollingTextBmp1").Started());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(WelcomeTest, WithoutMotsOneMessageAndNoWayToPlay) {
  EXPECT_FALSE(ReportErrors([&] { screen.FormCreate(); }));
  ShowFullScreen(screen);
  EXPECT_EQ(messages.shown, std::vector<std::string>{"Fichier introuvable"});
  for (const char* name : {"Image_jouer", "Image_quitter", "Image_fond"}) {
    EXPECT_FALSE(Shown(name)) << name;
  }
  EXPECT_TRUE(Shown("Image_aide"));
  EXPECT_TRUE(Shown("Label_web"));
  EXPECT_FALSE(Named<TScrollingTextBmp>(screen, "ScrollingTextBmp1").Started());
}

TEST_F(WelcomeTest, LinkOpensTheMakersPage) {
  WriteMots();
  Create();
  ClickAt(screen, kLink);
  EXPECT_EQ(shell.opened, std::vector<std::string>{kMakersWebPage});
}

TEST_F(WelcomeTest, PlayAndHelpShowTheirScreens) {
  WriteMots();
  Create();
  QWidget setup, help;
  setup.setObjectName(QStringLiteral("Form_debut"));
  help.setObjectName(QStringLiteral("Form_aide"));
  auto& text = Named<TScrollingTextBmp>(screen, "ScrollingTextBmp1");
  ClickAt(screen, kPlay);
  EXPECT_TRUE(setup.isVisible());
  EXPECT_TRUE(setup.isFullScreen());
  ClickAt(screen, kHelp);
  EXPECT_TRUE(help.isVisible());
  // The welcome text rests under the set-up screen, not under the help window.
  QCoreApplication::processEvents();
  EXPECT_TRUE(text.Covered());
  setup.hide();
  QCoreApplication::processEvents();
  EXPECT_FALSE(text.Covered());
}

// Each way out ends the message loop with the task bar back.
using WayOut = std::function<void(TForm_premiere&)>;
class WelcomeWayOutTest : public WelcomeTest,
                          public ::testing::WithParamInterface<std::pair<const char*, WayOut>> {};

TEST_P(WelcomeWayOutTest, EndsTheLoopWithTheTaskBarBack) {
  WriteMots();
  Create();
  ASSERT_TRUE(TaskBarHidden());
  QTimer::singleShot(0, &screen, [&] { GetParam().second(screen); });
  // Owned by the screen, so that it cannot end a later test's loop.
  QTimer::singleShot(5000, &screen, [] { QCoreApplication::exit(99); });
  ApplicationRun run;
  EXPECT_EQ(run.Exec(), 0);
  EXPECT_FALSE(TaskBarHidden());
  EXPECT_FALSE(screen.isFullScreen());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, WelcomeWayOutTest,
    ::testing::Values(
        std::pair<const char*, WayOut>{"QuitImage", [](TForm_premiere& s) { ClickAt(s, kQuit); }},
        std::pair<const char*, WayOut>{"WindowClosed", [](TForm_premiere& s) { s.close(); }}),
    [](const auto& info) { return info.param.first; });

}  // namespace
}  // namespace verdal::test
