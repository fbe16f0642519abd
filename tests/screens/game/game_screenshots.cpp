// Tool, not a test: plays the game screen on a real display (scripts/screenshots-game runs it
// under Xvfb) and saves what the screen shows: a two-player deal in progress at 6, 7 and 8
// letters, the next-word panel and the end-of-match panel.
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "common/clock.h"
#include "common/program_folder.h"
#include "common/random.h"
#include "game/dictionary_file.h"
#include "game/marking.h"
#include "game/word_pool.h"
#include "screens/game/form_jeu6.h"
#include "tests/game/game_files.h"

namespace verdal {
namespace {

class Shots {
 public:
  Shots(const std::string& mots, const std::filesystem::path& out)
      : folder_(dir_.Path()), clock_(manual_), out_(out) {
    std::filesystem::copy_file(mots, "mots");
    LoadDictionary();
    setup_.setObjectName(QStringLiteral("Form_debut"));
    (new QLabel(QStringLiteral("2"), &setup_))->setObjectName(QStringLiteral("Label1"));
    form_.findChild<QLabel*>(QStringLiteral("Label_joueur1"))->setText(QStringLiteral("Anne"));
    form_.findChild<QLabel*>(QStringLiteral("Label_joueur2"))->setText(QStringLiteral("Léo"));
    form_.findChild<QTimer*>(QStringLiteral("Timer1"))->blockSignals(true);
    // Acts on each next-word panel from inside the screen's wait.
    watch_.setInterval(0);
    QObject::connect(&watch_, &QTimer::timeout, [this] {
      auto* panel = form_.findChild<QWidget*>(QStringLiteral("Panel5"));
      if (!panel->isVisible()) return;
      if (onPanel_) std::exchange(onPanel_, nullptr)();
      QTest::mouseClick(form_.findChild<QWidget*>(QStringLiteral("Image_ok")), Qt::LeftButton);
    });
    watch_.start();
  }

  void Match(int length) {
    test::WriteBytes("data", test::SettingsBytes(test::Settings(length, 1, 2, 2, 200)));
    form_.hide();
    form_.show();
    SetRandomSeed(2026u + length);
  }
  std::string Word() const {
    return form_.findChild<QLabel*>(QStringLiteral("Label1"))->text().toStdString();
  }
  void Type(const std::string& keys) {
    for (char c : keys) QTest::keyClick(&form_, c);
  }
  // A word of the pool that shares a few letters with the hidden word, as players propose.
  std::string Near() const {
    const WordPool& pool = CurrentWordPool();
    std::string best = pool.words[0];
    int bestScore = -1;
    for (int k = 0; k < 400; ++k) {
      const std::string& w = pool.words[RandomBelow(pool.count)];
      const std::string marks = Mark(w, Word());
      const int placed = int(std::count(marks.begin(), marks.end(), '*'));
      const int misplaced = int(std::count(marks.begin(), marks.end(), '#'));
      const int score = placed >= 1 && placed <= 2 && w != Word() ? placed * 3 + misplaced : 0;
      if (score > bestScore) best = w, bestScore = score;
    }
    return best;
  }
  void Ticks(int n) {
    for (int i = 0; i < n; ++i) form_.Timer1Timer();
  }
  void OnNextPanel(std::function<void()> act) { onPanel_ = std::move(act); }

  void Save(const char* name) {
    for (int i = 0; i < 5; ++i) {
      form_.repaint();
      QCoreApplication::processEvents();
      QThread::msleep(40);
    }
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    const std::filesystem::path file = out_ / name;
    const bool saved = shot.save(QString::fromStdString(file.string()), "PNG");
    std::printf("%s %s\n", saved ? "saved" : "FAILED", file.c_str());
  }

 private:
  test::TempCurrentDir dir_;
  ScopedProgramFolder folder_;
  ManualClock manual_;
  ScopedClock clock_;
  std::filesystem::path out_;
  QWidget setup_;
  TForm_jeu6 form_;
  QTimer watch_;
  std::function<void()> onPanel_;
};

}  // namespace
}  // namespace verdal

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s MOTS OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  verdal::Shots shots(argv[1], argv[2]);
  for (int length : {6, 7, 8}) {
    shots.Match(length);
    // Anne 3, Léo 2: each finds the word on their turn.
    for (int deal = 1; deal <= 5; ++deal) {
      if (length == 6 && deal == 5) shots.OnNextPanel([&] { shots.Save("game-next-word.png"); });
      shots.Type(shots.Word());
    }
    // Léo opens the sixth deal, Anne follows, and Léo is typing his next proposal.
    shots.Type(shots.Near());
    shots.Type(shots.Near());
    shots.Type(shots.Word().substr(0, 1) + shots.Near().substr(1, 2));
    shots.Ticks(37);
    shots.Save(("game-" + std::to_string(length) + ".png").c_str());
  }
  // Anne finds every word on her turn until she has 10 points.
  shots.Match(6);
  for (int point = 1; point < 10; ++point) {
    shots.Type(shots.Word());
    shots.Type(std::string(6, 'Z'));
  }
  shots.Type(shots.Word());
  shots.Save("game-end.png");
  return 0;
}
