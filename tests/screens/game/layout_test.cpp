// Form_jeu6's layout as a player sees it: the board and proposal row of each word length,
// which lie apart from each other and from the players' panels with every cell inside, and
// letters drawn in a font that the machine has.
#include <QFontInfo>
#include <QLabel>
#include <QRegularExpression>

#include "screens/game/letter_cell.h"
#include "tests/screens/game/game_screen_fixture.h"

namespace verdal::test {
namespace {

struct LengthCase {
  int length;
  const char* board;
  const char* row;
  const char* firstCell;
  const char* firstLetter;
};
const LengthCase kLengthCases[] = {{6, "Panel_jeu6", "Panel2", "Panel1_1", "B"},
                                   {7, "Panel_jeu7", "Panel13", "Panel8_1_1", "C"},
                                   {8, "Panel_jeu8", "Panel1", "Panel9_1_1", "E"}};

// Every cell lies whole inside its container and touches none of the others.
void ExpectInsideAndApart(const QWidget& container, const QList<LetterCell*>& cells) {
  for (const LetterCell* cell : cells) {
    const std::string name = cell->objectName().toStdString();
    EXPECT_TRUE(container.rect().contains(cell->geometry())) << name;
    for (const LetterCell* other : cells) {
      EXPECT_TRUE(other == cell || !cell->geometry().intersects(other->geometry())) << name;
    }
  }
}

// Only the board and the proposal row of the match's length are shown, with the word's first
// letter given on row 1; they overlap neither each other nor the players' panels, and each of
// their cells lies whole inside them, apart from its neighbours.
TEST_F(GameScreen, ShowsTheBoardAndRowOfTheWordLengthApartWithTheirCellsInside) {
  for (const LengthCase& c : kLengthCases) {
    SCOPED_TRACE(c.length);
    UseSettings(c.length);
    form_->hide();
    Start();
    for (const char* other :
         {"Panel_jeu6", "Panel_jeu7", "Panel_jeu8", "Panel2", "Panel13", "Panel1"}) {
      const bool mine = std::string(other) == c.board || std::string(other) == c.row;
      EXPECT_EQ(Shown(other), mine) << other;
    }
    EXPECT_EQ(Text(c.firstCell), c.firstLetter);

    const auto onScreen = [this](const char* name) {
      const QWidget* w = Get(name);
      return QRect(w->mapTo(form_.get(), QPoint(0, 0)), w->size());
    };
    const QRect areas[] = {onScreen(c.board), onScreen(c.row), onScreen("Panel3"),
                           onScreen("Panel4")};
    for (std::size_t i = 0; i < std::size(areas); ++i) {
      for (std::size_t j = i + 1; j < std::size(areas); ++j) {
        EXPECT_FALSE(areas[i].intersects(areas[j])) << i << " " << j;
      }
    }
    for (const char* container : {c.board, c.row}) {
      const QList<LetterCell*> cells =
          Get(container)->findChildren<LetterCell*>(Qt::FindDirectChildrenOnly);
      EXPECT_EQ(cells.size(), container == c.row ? c.length : c.length * (c.length - 1));
      ExpectInsideAndApart(*Get(container), cells);
    }
  }
}

// Each player's ten point cells lie inside the player's box, one above the other.
TEST_F(GameScreen, PointCellsLieInsideTheirBoxApart) {
  Start();
  for (const char* box : {"Panel42", "Panel53"}) {
    const QList<LetterCell*> cells =
        Get(box)->findChildren<LetterCell*>(QRegularExpression(QStringLiteral("^P\\d+_")));
    EXPECT_EQ(cells.size(), 10) << box;
    ExpectInsideAndApart(*Get(box), cells);
  }
}

// Whatever the screen's texts ask for, the machine draws them in Arial or its metric twin,
// never in a fallback of other widths that would spill out of the cells and panels.
TEST_F(GameScreen, TextsAreDrawnInAFontTheMachineHas) {
  Start();
  std::vector<const QWidget*> texts;
  for (const char* name : {"Label_quitter", "Label_aide", "Label1", "Label2", "Label_joueur1",
                           "Label_joueur2", "Panel_scorejoueur1", "Panel_scorejoueur2",
                           "Panel_suivant", "Panel6", "BitBtn1", "BitBtn2"}) {
    texts.push_back(Get(name));
  }
  for (const char* container :
       {"Panel_jeu6", "Panel_jeu7", "Panel_jeu8", "Panel2", "Panel13", "Panel1"}) {
    for (const LetterCell* cell : Get(container)->findChildren<LetterCell*>()) {
      texts.push_back(cell);
    }
  }
  for (const QWidget* control : texts) {
    const QString family = QFontInfo(control->font()).family();
    EXPECT_TRUE(family == "Arial" || family == "Liberation Sans")
        << control->objectName().toStdString() << ": " << family.toStdString();
  }
}

}  // namespace
}  // namespace verdal::test
