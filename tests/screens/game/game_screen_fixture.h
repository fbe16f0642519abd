// Test fixture for the game screen: small game files in a temporary folder, a manual clock,
// recorded messages and sounds, the set-up screen's player count, and a helper that acts
// from inside the screen's pauses as a player would during an animation.
#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/messages.h"
#include "common/program_folder.h"
#include "components/wave/sound_player.h"
#include "game/dictionary_file.h"
#include "screens/game/form_jeu6.h"
#include "tests/game/game_files.h"
#include "tests/support/recorded_messages.h"

namespace verdal::test {

// Writes down each cue by its length: Wave_jaune's clip is 7,982 bytes, Wave_rouge's 11,070.
class CueRecorder final : public SoundPlayer {
 public:
  void Play(std::span<const std::uint8_t> image) override {
    cues += image.size() == 7982 ? 'J' : image.size() == 11070 ? 'R' : '?';
  }
  void Stop() override {}
  bool IsPlaying(const std::uint8_t*) const override { return false; }
  std::string cues;
};

// One word per length, so every deal's word is known.
inline constexpr const char* kWord6 = "BATEAU";
inline constexpr const char* kWord7 = "CHATONS";
inline constexpr const char* kWord8 = "ELEPHANT";

class GameScreen : public ::testing::Test {
 protected:
  GameScreen() : folder_(dir_.Path()), clock_(manual_), messages_(recorded_), sounds_(cues_) {
    WriteBytes("mots", DictionaryBytes({{kWord6, 0}, {kWord7, 0}, {kWord8, 0}}));
    LoadDictionary();
    UseSettings(6);
    setup_.setObjectName(QStringLiteral("Form_debut"));
    count_ = new QLabel(QStringLiteral("2"), &setup_);
    count_->setObjectName(QStringLiteral("Label1"));
    form_ = std::make_unique<TForm_jeu6>();
    Get<QLabel>("Label_joueur1")->setText(QStringLiteral("Anne"));
    Get<QLabel>("Label_joueur2")->setText(QStringLiteral("Léo"));
    // Ticks come only when a test asks for them.
    timer()->blockSignals(true);
    // Runs at every pass of the screen's pauses.
    connect(&during_);
  }
  ~GameScreen() override {
    during_.stop();
    form_.reset();
  }

  void UseSettings(int length, int sound = 1, int chronoStep = 100, int difficulty = 1,
                   int usePersonal = 2) {
    WriteBytes("data", SettingsBytes(Settings(length, difficulty, usePersonal, sound, chronoStep)));
  }

  void Start(int players = 2) {
    count_->setText(QString::number(players));
    form_->show();
  }

  template <class Control = QWidget>
  Control* Get(const char* name) const {
    auto* control = form_->findChild<Control*>(QString::fromLatin1(name));
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QTimer* timer() const { return Get<QTimer>("Timer1"); }
  QString Text(const char* name) const { return Get<QLabel>(name)->text(); }
  bool Shown(const char* name) const { return Get(name)->isVisible(); }
  void Click(const char* name) { QTest::mouseClick(Get(name), Qt::LeftButton); }

  // Types each character as a key of its own; lower case as typed.
  void Type(const std::string& keys) {
    for (char c : keys) QTest::keyClick(form_.get(), c);
  }

  // The letters of a board row or of the proposal row, "." and blanks as shown.
  QString Row(const QString& pattern, int length) const {
    QString s;
    for (int j = 1; j <= length; ++j) {
      const QString t = form_->findChild<QLabel*>(pattern.arg(j))->text();
      s += t.isEmpty() ? QStringLiteral(" ") : t;
    }
    return s;
  }
  QString BoardRow(int r) const { return Row(QStringLiteral("Panel%1_").arg(r) + "%1", 6); }
  QString ProposalRow() const { return Row(QStringLiteral("Panel_rep%1"), 6); }

  // Acts once from inside a pause, at the first pass where `when` holds.
  void During(std::function<bool()> when, std::function<void()> act) {
    actions_.push_back({std::move(when), std::move(act)});
  }
  // Presses OK on every next-word panel, after `seen` has looked at it.
  void AcknowledgeEveryWord(std::function<void()> seen = [] {}) { acknowledge_ = std::move(seen); }

  test::TempCurrentDir dir_;
  ScopedProgramFolder folder_;
  ManualClock manual_;
  ScopedClock clock_;
  RecordedMessages recorded_;
  ScopedMessages messages_;
  CueRecorder cues_;
  ScopedSoundPlayer sounds_;
  QWidget setup_;
  QLabel* count_ = nullptr;
  std::unique_ptr<TForm_jeu6> form_;

 private:
  struct Action {
    std::function<bool()> when;
    std::function<void()> act;
  };
  void connect(QTimer* timer) {
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [this] {
      for (auto it = actions_.begin(); it != actions_.end(); ++it) {
        if (!it->when()) continue;
        const Action action = *it;
        actions_.erase(it);
        action.act();
        return;
      }
      if (acknowledge_ && Get("Panel5")->isVisible()) {
        acknowledge_();
        Click("Image_ok");
      }
    });
    timer->start();
  }

  QTimer during_;
  std::vector<Action> actions_;
  std::function<void()> acknowledge_;
};

}  // namespace verdal::test
