// Form_param: the settings window's counts, times, locks, refusal and saving, as a
// player sees them, over small "data" and "perso" files made in a temporary folder.
#include "screens/settings/form_param.h"

#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/program_folder.h"
#include "game/unit_var.h"
#include "tests/game/game_files.h"
#include "tests/support/recorded_messages.h"

namespace verdal {
namespace {

using test::PersoText;
using test::ReadBytes;
using test::Settings;
using test::SettingsBytes;
using test::WriteBytes;

std::vector<std::string> Words(int count, int length, char letter = 'A') {
  return std::vector<std::string>(count, std::string(length, letter));
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class FormParam : public ::testing::Test {
 protected:
  FormParam() : folder_(dir_.Path()), messages_(recorded_) {
    CurrentSettings = SettingsRecord{};
    AvailableWordCount = 0;
  }

  // Writes the two files, then builds the screen and runs its creation as the program does.
  void Create(const SettingsRecord& settings, const std::vector<std::string>& perso = {}) {
    WriteBytes("data", SettingsBytes(settings));
    WriteBytes("perso", PersoText(perso, "\r\n"));
    CreateFromFiles();
  }
  void CreateFromFiles() {
    form_ = std::make_unique<TForm_param>();
    ReportErrors([&] { form_->FormCreate(); });
    form_->show();
  }

  template <class Control>
  Control* Get(const char* name) {
    auto* control = form_->findChild<Control*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QRadioButton* Radio(const char* name) { return Get<QRadioButton>(name); }
  QCheckBox* Box() { return Get<QCheckBox>("Check_perso"); }
  QSlider* Bar() { return Get<QSlider>("TrackBar1"); }
  QString Text(const char* label) { return Get<QLabel>(label)->text(); }
  void Click(QWidget* control) { QTest::mouseClick(control, Qt::LeftButton); }
  void ClickOk() { Click(Get<QLabel>("Image1")); }

  std::string Saved() { return ReadBytes("data"); }

  test::TempCurrentDir dir_;
  ScopedProgramFolder folder_;
  RecordedMessages recorded_;
  ScopedMessages messages_;
  std::unique_ptr<TForm_param> form_;
};

TEST_F(FormParam, IsAToolWindowOnTopAtItsPlace) {
  Create(Settings(6, 1, 2));
  EXPECT_EQ(form_->objectName(), "Form_param");
  EXPECT_EQ(form_->windowTitle(), "Règlages");
  const Qt::WindowFlags flags = form_->windowFlags();
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Tool);
  EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint));
  EXPECT_EQ(form_->pos(), QPoint(138, 80));
  EXPECT_EQ(form_->size(), QSize(543, 415));
}

TEST_F(FormParam, TabGoesThroughTheLevelsThenTheListThenPerso) {
  Create(Settings(6, 1, 2));
  std::vector<std::string> order;
  for (QWidget* w = Radio("Radio_facile"); order.size() < 5; w = w->nextInFocusChain()) {
    if (w->focusPolicy() & Qt::TabFocus) order.push_back(w->objectName().toStdString());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"Radio_facile", "Radio_difficile", "Radio_complet",
                                             "Check_perso", "Radio_queperso"}));
}

// The count shown, and handed to the set-up screen, for the stored choices and list.
TEST_F(FormParam, CountsTheWordsTheChoicesAllow) {
  struct Case {
    SettingsRecord settings;
    std::vector<std::string> perso;
    const char* shown;
  };
  const std::vector<Case> cases = {
      {Settings(6, 1, 2), {}, "3135 mots"},
      {Settings(8, 3, 2), {}, "7994 mots"},
      {Settings(7, 2, 1), Words(12, 7) + Words(5, 6), "2815 mots"},
      {Settings(7, 2, 2), Words(12, 7), "2803 mots"},
      {Settings(8, 3, 1), Words(2, 8) + Words(1, 9), "7996 mots"},
      {Settings(6, 4, 1), Words(3, 7), "0 mot"},
      {Settings(6, 4, 2), Words(1, 6) + Words(3, 7), "1 mot"},
      {Settings(6, 4, 1), Words(2, 6), "2 mots"},
      // Counted as the game plays them: small letters and accents fold, an inner blank
      // can never be played.
      {Settings(6, 4, 1), {"chaton", "ABC DE", "LONGUEUR", "g\xC3\xA9" "ante"}, "2 mots"},
  };
  for (const Case& c : cases) {
    Create(c.settings, c.perso);
    EXPECT_EQ(Text("Label_nombre"), c.shown) << c.shown;
    EXPECT_EQ(AvailableWordCount, QString(c.shown).section(' ', 0, 0).toInt()) << c.shown;
  }
}

// Only the lines the first line announces are counted; a list shorter than announced
// counts what it has.
TEST_F(FormParam, CountsOnlyTheAnnouncedLines) {
  WriteBytes("data", SettingsBytes(Settings(6, 4, 1)));
  WriteBytes("perso", "2\r\nCHATON\r\nMOUTON\r\nBALEINE\r\nRENARD\r\n");
  CreateFromFiles();
  EXPECT_EQ(Text("Label_nombre"), "2 mots");
  WriteBytes("perso", "5\r\nCHATON\r\n");
  CreateFromFiles();
  EXPECT_EQ(Text("Label_nombre"), "1 mot");
}

// Creation checks the buttons the record stands for, running their handlers as clicks
// would: what OK then saves shows it.
TEST_F(FormParam, CreationSetsTheControlsFromTheRecord) {
  struct Case {
    SettingsRecord stored;
    const char* length;
    const char* sound;
    const char* level;
    bool box;
    int position;
    const char* time;
    SettingsRecord saved;
  };
  const std::vector<Case> cases = {
      {Settings(6, 1, 2, 1, 50), "RadioButton1", "Radio_oui", "Radio_facile", false, 0,
       "5 secondes", Settings(6, 1, 2, 1, 50)},
      {Settings(8, 3, 1, 2, 600), "RadioButton3", "Radio_non", "Radio_complet", true, 5, "1 minute",
       Settings(8, 3, 1, 2, 600)},
      // Any sound but 1 checks "Non", which makes it 2; "Perso" always uses the list.
      {Settings(7, 4, 2, 0, 300), "RadioButton2", "Radio_non", "Radio_queperso", true, 3,
       "30 secondes", Settings(7, 4, 1, 2, 300)},
      {Settings(7, 2, 1, 7, 200), "RadioButton2", "Radio_non", "Radio_difficile", true, 2,
       "20 secondes", Settings(7, 2, 1, 2, 200)},
  };
  for (const Case& c : cases) {
    Create(c.stored, Words(1, 6) + Words(1, 7));
    EXPECT_TRUE(Radio(c.length)->isChecked()) << c.length;
    EXPECT_TRUE(Radio(c.sound)->isChecked()) << c.sound;
    EXPECT_TRUE(Radio(c.level)->isChecked()) << c.level;
    EXPECT_EQ(Box()->isChecked(), c.box) << c.level;
    EXPECT_EQ(Bar()->value(), c.position);
    EXPECT_EQ(Text("Label2"), c.time);
    ClickOk();
    EXPECT_EQ(Saved(), SettingsBytes(c.saved)) << c.level << " " << c.time;
  }
}

TEST_F(FormParam, TrackBarPositionsShowTheirTimeAndSaveTheirStep) {
  const std::vector<std::pair<const char*, int>> positions = {
      {"5 secondes", 50},   {"10 secondes", 100}, {"20 secondes", 200},
      {"30 secondes", 300}, {"40 secondes", 400}, {"1 minute", 600}};
  Create(Settings(6, 1, 2, 1, 300));
  for (int p = 5; p >= 0; --p) {
    Bar()->setValue(p);
    EXPECT_EQ(Text("Label2"), positions[p].first);
    form_->show();
    ClickOk();
    EXPECT_EQ(Saved(), SettingsBytes(Settings(6, 1, 2, 1, positions[p].second)));
  }
  // The player's own move: the End key takes the bar to its last position.
  form_->show();
  QTest::keyClick(Bar(), Qt::Key_End);
  EXPECT_EQ(Text("Label2"), "1 minute");
  ClickOk();
  EXPECT_EQ(Saved(), SettingsBytes(Settings(6, 1, 2, 1, 600)));
}

TEST_F(FormParam, AStepTheBarCannotShowIsKeptUntilTheBarMoves) {
  Create(Settings(6, 1, 2, 1, 150));
  EXPECT_EQ(Bar()->value(), 0);
  EXPECT_EQ(Text("Label2"), "");
  ClickOk();
  EXPECT_EQ(Saved(), SettingsBytes(Settings(6, 1, 2, 1, 150)));
  form_->show();
  Bar()->setValue(1);
  Bar()->setValue(0);
  EXPECT_EQ(Text("Label2"), "5 secondes");
  ClickOk();
  EXPECT_EQ(Saved(), SettingsBytes(Settings(6, 1, 2, 1, 50)));
}

TEST_F(FormParam, ClicksChangeTheCountAndWhatIsSaved) {
  Create(Settings(6, 1, 2, 1), Words(4, 8));
  Click(Radio("RadioButton3"));
  EXPECT_EQ(Text("Label_nombre"), "4768 mots");
  Click(Radio("Radio_complet"));
  EXPECT_EQ(Text("Label_nombre"), "7994 mots");
  Click(Box());
  EXPECT_EQ(Text("Label_nombre"), "7998 mots");
  EXPECT_EQ(AvailableWordCount, 7998);
  Click(Radio("Radio_non"));
  EXPECT_EQ(Text("Label_nombre"), "7998 mots");
  ClickOk();
  EXPECT_FALSE(form_->isVisible());
  EXPECT_EQ(Saved(), SettingsBytes(Settings(8, 3, 1, 2)));
}

TEST_F(FormParam, PersoLocksThePersonalListOn) {
  Create(Settings(6, 1, 2), Words(1, 6));
  Click(Radio("Radio_queperso"));
  EXPECT_TRUE(Box()->isChecked());
  EXPECT_EQ(Text("Label_nombre"), "1 mot");
  Click(Box());
  EXPECT_TRUE(Box()->isChecked());
  Box()->setChecked(false);
  EXPECT_TRUE(Box()->isChecked());
  EXPECT_EQ(Text("Label_nombre"), "1 mot");

  // "Facile" again leaves the box checked, and clearable.
  Click(Radio("Radio_facile"));
  EXPECT_TRUE(Box()->isChecked());
  EXPECT_EQ(Text("Label_nombre"), "3136 mots");
  Click(Box());
  EXPECT_FALSE(Box()->isChecked());
  EXPECT_EQ(Text("Label_nombre"), "3135 mots");
  ClickOk();
  EXPECT_EQ(Saved(), SettingsBytes(Settings(6, 1, 2)));
}

TEST_F(FormParam, OkWithNoWordRefusesAndSavesNothing) {
  Create(Settings(6, 1, 2), Words(2, 7));
  const std::string before = Saved();
  Click(Radio("Radio_queperso"));
  EXPECT_EQ(Text("Label_nombre"), "0 mot");
  EXPECT_EQ(AvailableWordCount, 0);
  ClickOk();
  EXPECT_EQ(recorded_.shown, std::vector<std::string>{"Il n'y a aucun mot!!"});
  EXPECT_TRUE(form_->isVisible());
  EXPECT_EQ(Saved(), before);

  Click(Radio("RadioButton2"));
  EXPECT_EQ(Text("Label_nombre"), "2 mots");
  ClickOk();
  EXPECT_FALSE(form_->isVisible());
  EXPECT_EQ(Saved(), SettingsBytes(Settings(7, 4, 1)));
}

// The bytes nobody here interprets go back as they were read; the file becomes one record.
TEST_F(FormParam, SavingRewritesDataAsOneRecordKeepingItsReservedBytes) {
  Create(Settings(6, 1, 2));
  WriteBytes("data", SettingsBytes(Settings(6, 1, 2)) + std::string(20, 'x'));
  CreateFromFiles();
  Click(Radio("RadioButton2"));
  ClickOk();
  EXPECT_EQ(Saved(), SettingsBytes(Settings(7, 1, 2)));
  EXPECT_EQ(CurrentSettings, Settings(7, 1, 2));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2);
}

// Showing the window recounts from the controls; the list on disk is not read again.
TEST_F(FormParam, ShowingRecountsWithoutRereadingTheList) {
  Create(Settings(6, 4, 1), Words(2, 6));
  form_->hide();
  WriteBytes("perso", PersoText(Words(9, 6), "\r\n"));
  AvailableWordCount = 0;
  form_->show();
  EXPECT_EQ(AvailableWordCount, 2);
  EXPECT_EQ(Text("Label_nombre"), "2 mots");
}

// A file missing or unreadable at creation: its message, then an untouched screen that
// allows no match until a choice allows words, and a first save that the game can use.
TEST_F(FormParam, AFailedCreationLeavesTheControlsAsBuilt) {
  struct Case {
    const char* what;
    std::string data;  // empty: no file
    std::string perso;
    const char* message;
  };
  const std::string data = SettingsBytes(Settings(8, 3, 1, 1, 600));
  const std::vector<Case> cases = {
      {"no perso", data, "", "Fichier introuvable"},
      {"no data", "", "1\r\nCHATON\r\n", "Fichier introuvable"},
      {"short data", data.substr(0, 39), "1\r\nCHATON\r\n", "Lecture au delà de la fin de fichier"},
      {"perso count", data, "douze\r\nCHATON\r\n", "Saisie numérique incorrecte"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove("data");
    std::filesystem::remove("perso");
    if (!c.data.empty()) WriteBytes("data", c.data);
    if (!c.perso.empty()) WriteBytes("perso", c.perso);
    recorded_.shown.clear();
    CreateFromFiles();
    EXPECT_EQ(recorded_.shown, std::vector<std::string>{c.message}) << c.what;
    for (auto* radio : form_->findChildren<QRadioButton*>()) {
      EXPECT_FALSE(radio->isChecked()) << c.what << " " << radio->objectName().toStdString();
    }
    EXPECT_FALSE(Box()->isChecked());
    EXPECT_EQ(Text("Label2"), "");
    EXPECT_EQ(AvailableWordCount, 0) << c.what;

    Click(Radio("Radio_facile"));
    Click(Radio("RadioButton1"));
    EXPECT_EQ(AvailableWordCount, 3135);
    ClickOk();
    EXPECT_FALSE(form_->isVisible());
    // Sound off, the list unused and the bar's 5 seconds, as the untouched controls
    // stand; no record was read, so there are no reserved bytes to keep.
    EXPECT_EQ(Saved(), SettingsBytes(SettingsRecord{2, 6, 50, 1, 2})) << c.what;
  }
}

// A save that fails says why, keeps the window open and leaves "data" and the shared
// record as they were; once the cause is gone, OK saves.
class FailedSave : public FormParam {
 protected:
  void Prepare() {
    Create(Settings(6, 1, 2));
    before_ = Saved();
    Click(Radio("RadioButton3"));
  }
  void ExpectRefused(const char* message) {
    EXPECT_EQ(recorded_.shown, std::vector<std::string>{message});
    EXPECT_TRUE(form_->isVisible());
    EXPECT_EQ(CurrentSettings, Settings(6, 1, 2));
    recorded_.shown.clear();
  }
  void ExpectSavedOnSecondOk() {
    ClickOk();
    EXPECT_TRUE(recorded_.shown.empty());
    EXPECT_FALSE(form_->isVisible());
    EXPECT_EQ(Saved(), SettingsBytes(Settings(8, 1, 2)));
  }
  std::string before_;
};

TEST_F(FailedSave, DataIsAFolder) {
  Prepare();
  std::filesystem::remove("data");
  std::filesystem::create_directory("data");
  ClickOk();
  ExpectRefused("Accès au fichier refusé");
  EXPECT_TRUE(std::filesystem::is_directory("data"));
  std::filesystem::remove("data");
  ExpectSavedOnSecondOk();
}

TEST_F(FailedSave, DataReadOnlyInAReadOnlyFolder) {
  Prepare();
  ::chmod("data", 0444);
  ::chmod(".", 0555);
  // The file-system identity of this thread alone: root would be let through.
  const uid_t ownUid = ::setfsuid(65534);
  const gid_t ownGid = ::setfsgid(65534);
  const bool dropped = ::setfsuid(static_cast<uid_t>(-1)) == 65534;
  if (dropped) ClickOk();
  ::setfsgid(ownGid);
  ::setfsuid(ownUid);
  // Put back before anything can end the test, so that its temporary folder can be removed.
  ::chmod(".", 0755);
  ::chmod("data", 0644);
  if (!dropped) GTEST_SKIP() << "cannot act as nobody here";
  ExpectRefused("Accès au fichier refusé");
  EXPECT_EQ(Saved(), before_);
  ExpectSavedOnSecondOk();
}

// The file size limit stops the write half-way, as a full disk does.
TEST_F(FailedSave, WriteStoppedHalfWay) {
  Prepare();
  {
    test::FileSizeLimit limit(20);
    ClickOk();
  }
  ExpectRefused("Erreur E/S 1027");
  EXPECT_EQ(Saved(), before_);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 2);
  ExpectSavedOnSecondOk();
}

}  // namespace
}  // namespace verdal
