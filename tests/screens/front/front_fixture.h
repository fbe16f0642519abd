// What the front screens' tests share: a program folder of their own, recorded messages
// and shell, a manual clock and a desktop of a chosen size.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/clock.h"
#include "common/messages.h"
#include "common/program_folder.h"
#include "common/shell.h"
#include "game/records.h"
#include "game/unit_var.h"
#include "platform/desktop.h"
#include "platform/pointer.h"
#include "platform/task_bar.h"
#include "tests/support/recorded_messages.h"

namespace verdal::test {

struct RecordedShell final : Shell {
  void Open(const std::string& address) override { opened.push_back(address); }
  std::vector<std::string> opened;
};

struct FakeDesktop final : Desktop {
  QSize Size() override { return size; }
  QImage Snapshot() override {
    ++snapshots;
    if (!snapshotSize.isValid()) return {};
    QImage image(snapshotSize, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return image;
  }
  QSize size{800, 600};
  QSize snapshotSize{800, 600};  // invalid: the desktop refuses the snapshot
  int snapshots = 0;
};

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "verdal-front-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Every test runs with its own folder as the program's, nothing reaching the player.
class FrontTest : public ::testing::Test {
 protected:
  FrontTest() : program_(folder_.Path()) {}
  ~FrontTest() override {
    std::filesystem::current_path(start_);
    AppTaskBar().Show();
    for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
  }

  // A "mots" of records entries of one letter "A" each: 20,329 make a whole dictionary.
  void WriteMots(int records = kDictionarySize) {
    std::string entry(DictionaryEntry::kSize, '\0');
    entry[0] = 1;
    entry[1] = 'A';
    std::ofstream mots(folder_.Path() / "mots", std::ios::binary);
    for (int i = 0; i < records; ++i) mots << entry;
  }

  std::filesystem::path start_ = std::filesystem::current_path();
  TempFolder folder_;
  ScopedProgramFolder program_;
  RecordedMessages messages;
  ScopedMessages installedMessages{messages};
  RecordedShell shell;
  ScopedShell installedShell{shell};
  ManualClock clock;
  ScopedClock installedClock{clock};
  FakeDesktop desktop;
  ScopedDesktop installedDesktop{desktop};
  QtPointer pointer;
  ScopedPointer installedPointer{pointer};
};

}  // namespace verdal::test
