// Form_jeu6's layout: every named control at its place and size, the board and proposal row
// of each word length, and the fonts the letters are drawn in.
#include <QFontInfo>
#include <QLabel>

#include "tests/screens/game/game_screen_fixture.h"

namespace verdal::test {
namespace {

struct Place {
  const char* name;
  QRect bounds;  // within the parent; a width of 0 checks the position alone
};

const Place kPlaces[] = {
    {"Image2", {104, 0, 601, 577}},
    {"Image_quitter", {32, 511, 33, 33}},
    {"Label_quitter", {16, 544, 0, 0}},
    {"Image_aide", {736, 511, 33, 33}},
    {"Label_aide", {728, 544, 0, 0}},
    {"Label2", {16, 40, 0, 0}},
    {"Label1", {16, 56, 0, 0}},
    {"Panel3", {8, 68, 161, 341}},
    {"Panel4", {640, 68, 161, 341}},
    {"Panel_jeu6", {180, 72, 449, 409}},
    {"Panel_jeu7", {180, 73, 449, 409}},
    {"Panel_jeu8", {180, 73, 449, 409}},
    {"Panel2", {176, 488, 449, 81}},
    {"Panel13", {168, 488, 465, 81}},
    {"Panel1", {168, 488, 465, 81}},
    {"Panel_control1", {16, 88, 145, 297}},
    {"Panel_control2", {648, 88, 145, 297}},
    {"Label_joueur1", {1, 1, 143, 32}},
    {"Label_joueur2", {1, 1, 143, 32}},
    {"Panel_scorejoueur1", {24, 32, 97, 81}},
    {"Panel_scorejoueur2", {24, 32, 97, 81}},
    {"Panel42", {24, 120, 97, 137}},
    {"Panel53", {24, 120, 97, 137}},
    {"Image1_rire", {37, 16, 25, 25}},
    {"Image2_triste", {37, 16, 25, 25}},
    {"ProgressBar1", {8, 268, 129, 17}},
    {"ProgressBar2", {8, 268, 129, 17}},
    {"Panel5", {180, 72, 449, 409}},
    {"Panel_suivant", {8, 16, 433, 161}},
    {"Image_ok", {208, 208, 49, 41}},
    {"Panel_bravo", {180, 72, 449, 409}},
    {"LumoFade1", {6, 8, 433, 353}},
    {"Panel6", {128, 368, 193, 36}},
    {"BitBtn1", {344, 371, 75, 25}},
    {"BitBtn2", {32, 371, 75, 25}},
    // Cells: first and last of each board and row, cell (3, 7) of the 7-letter board.
    {"Panel1_1", {8, 8, 70, 70}},
    {"Panel5_6", {368, 328, 70, 70}},
    {"Panel8_1_1", {16, 16, 55, 55}},
    {"Panel8_3_7", {370, 144, 55, 55}},
    {"Panel8_6_7", {370, 336, 55, 55}},
    {"Panel9_1_1", {24, 16, 45, 45}},
    {"Panel9_7_8", {381, 352, 45, 45}},
    {"Panel_rep1", {8, 5, 70, 70}},
    {"Panel_rep6", {368, 5, 70, 70}},
    {"Panel2_rep7", {392, 5, 60, 70}},
    {"Panel3_rep8", {400, 5, 55, 70}},
    {"P10_joueur1", {8, 50, 81, 7}},
    {"P3_Joueur1", {8, 106, 81, 7}},
    {"P1_joueur2", {8, 122, 81, 7}},
};

TEST_F(GameScreen, EveryControlIsAtItsPlace) {
  Start();
  EXPECT_EQ(form_->geometry(), QRect(0, 0, 800, 600));
  EXPECT_TRUE(form_->windowFlags() & Qt::FramelessWindowHint);
  for (const Place& place : kPlaces) {
    const QWidget* control = Get(place.name);
    if (!control) continue;
    if (place.bounds.width() == 0) {
      EXPECT_EQ(control->pos(), place.bounds.topLeft()) << place.name;
    } else {
      EXPECT_EQ(control->geometry(), place.bounds) << place.name;
    }
  }
  EXPECT_EQ(Get("Panel8_3_7")->parentWidget()->objectName(), "Panel_jeu7");
  EXPECT_EQ(Get("P3_Joueur1")->parentWidget()->objectName(), "Panel42");
}

// Only the board and the proposal row of the match's length are shown, with the word's
// first letter given on row 1.
TEST_F(GameScreen, ShowsTheBoardAndRowOfTheWordLength) {
  struct Case {
    int length;
    const char* board;
    const char* row;
    const char* firstCell;
    const char* firstLetter;
  };
  const Case cases[] = {{6, "Panel_jeu6", "Panel2", "Panel1_1", "B"},
                        {7, "Panel_jeu7", "Panel13", "Panel8_1_1", "C"},
                        {8, "Panel_jeu8", "Panel1", "Panel9_1_1", "E"}};
  for (const Case& c : cases) {
    UseSettings(c.length);
    form_->hide();
    Start();
    for (const char* other :
         {"Panel_jeu6", "Panel_jeu7", "Panel_jeu8", "Panel2", "Panel13", "Panel1"}) {
      const bool mine = std::string(other) == c.board || std::string(other) == c.row;
      EXPECT_EQ(Shown(other), mine) << c.length << " " << other;
    }
    EXPECT_EQ(Text(c.firstCell), c.firstLetter) << c.length;
  }
}

TEST_F(GameScreen, TextsAreInArialOfTheirCharacterHeight) {
  Start();
  struct Case {
    const char* name;
    int px;
    bool bold;
  };
  const Case cases[] = {{"Label_quitter", 19, false}, {"Label_aide", 19, false},
                        {"Label_joueur1", 27, true},  {"Panel_scorejoueur2", 64, true},
                        {"Panel_suivant", 19, true},  {"Panel6", 29, true},
                        {"BitBtn1", 13, true},        {"Panel1_1", 64, false},
                        {"Panel8_1_1", 64, false},    {"Panel9_1_1", 53, false},
                        {"Panel_rep1", 64, false},    {"Panel3_rep1", 64, false}};
  for (const Case& c : cases) {
    const QFont font = Get(c.name)->font();
    EXPECT_EQ(QFontInfo(font).family(), "Liberation Sans") << c.name;
    EXPECT_EQ(font.pixelSize(), c.px) << c.name;
    EXPECT_EQ(font.bold(), c.bold) << c.name;
  }
}

}  // namespace
}  // namespace verdal::test
