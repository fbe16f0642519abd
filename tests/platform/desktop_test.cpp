// The desktop services: the pointer's display count, the task bar's state and how windows
// send their pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QWidget>

#include "platform/pointer.h"
#include "platform/task_bar.h"
#include "platform/x11_surface.h"
#include "screens/support/full_screen.h"

namespace verdal {
namespace {

bool PointerBlank() {
  const QCursor* cursor = QGuiApplication::overrideCursor();
  return cursor && cursor->shape() == Qt::BlankCursor;
}

struct PointerCase {
  const char* name;
  std::vector<bool> calls;  // true: show, false: hide
  int count;
  bool blank;
};

class PointerTest : public ::testing::TestWithParam<PointerCase> {};

TEST_P(PointerTest, HiddenExactlyWhileBelowZero) {
  QtPointer pointer;
  for (bool show : GetParam().calls) pointer.ShowCursor(show);
  EXPECT_EQ(pointer.Count(), GetParam().count);
  EXPECT_EQ(PointerBlank(), GetParam().blank);
  while (pointer.Count() < 0) pointer.ShowCursor(true);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "every blank cursor is taken back";
}

INSTANTIATE_TEST_SUITE_P(
    Calls, PointerTest,
    ::testing::Values(PointerCase{"None", {}, 0, false}, PointerCase{"HideOnce", {false}, -1, true},
                      PointerCase{"HideThenShow", {false, true}, 0, false},
                      PointerCase{"HideTwiceShowOnce", {false, false, true}, -1, true},
                      PointerCase{"ShowThenHide", {true, false}, 0, false},
                      PointerCase{"ShowFirstHideTwice", {true, false, false}, -1, true}),
    [](const auto& info) { return info.param.name; });

TEST(TaskBarTest, HidingPutsTheShownScreensInFullScreenAndRestoringTakesThemOut) {
  QWidget screen, other, hiddenScreen;
  ShowFullScreen(screen);
  ShowFullScreen(hiddenScreen);
  hiddenScreen.hide();
  other.show();
  EXPECT_FALSE(screen.isFullScreen());
  EXPECT_EQ(screen.geometry(), QRect(0, 0, 800, 600));

  AppTaskBar().Hide();
  EXPECT_TRUE(TaskBarHidden());
  EXPECT_TRUE(screen.isFullScreen());
  EXPECT_FALSE(other.isFullScreen());
  ShowFullScreen(hiddenScreen);
  EXPECT_TRUE(hiddenScreen.isFullScreen()) << "a screen shown later follows the task bar";

  AppTaskBar().Show();
  EXPECT_FALSE(TaskBarHidden());
  EXPECT_FALSE(screen.isFullScreen());
  EXPECT_FALSE(hiddenScreen.isFullScreen());
  EXPECT_EQ(screen.geometry(), QRect(0, 0, 800, 600));
}

TEST(TaskBarTest, RestorerShowsItOnEveryWayOutOfItsScope) {
  try {
    TaskBarRestorer restorer;
    AppTaskBar().Hide();
    throw std::runtime_error("panne");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(TaskBarHidden());
}

TEST(X11SurfaceTest, SetForTheConnectionButNeverOverThePlayersChoice) {
  constexpr char kName[] = "QT_XCB_NO_MITSHM";
  qunsetenv(kName);
  PreferX11SocketPaints();
  EXPECT_EQ(qgetenv(kName), "1");
  qputenv(kName, "0");
  PreferX11SocketPaints();
  EXPECT_EQ(qgetenv(kName), "0");
  qunsetenv(kName);
}

}  // namespace
}  // namespace verdal
