// A presentation that writes down every call, and can act from inside any of them
// as a screen that handles events during its animations would.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game/match.h"
#include "game/presentation.h"

namespace verdal::test {

class RecordingPresentation : public Presentation {
 public:
  std::vector<std::string> log;
  std::vector<DealState> revealed;  // the deal as each RevealAnswer saw it
  const Match* match = nullptr;
  std::function<void(const std::string& call)> during;  // runs inside every call

  void MatchStarting(int length, int players) override {
    Note("layout " + std::to_string(length) + " " + std::to_string(players));
  }
  void DealStarted(const std::string& word) override { Note("word " + word); }
  void ShowTypedLetter(int position, char letter) override {
    Note("typed " + std::to_string(position) + " " + letter);
  }
  void ShowProposal(int row, const std::string& text) override {
    Note("proposal " + std::to_string(row) + " " + text);
  }
  void ShowMark(int row, int column, char mark) override {
    Note("mark " + std::to_string(row) + " " + std::to_string(column) + " " + mark);
  }
  void RevealAnswer(int row, const std::string& word, const std::string& message) override {
    if (match) revealed.push_back(match->Deal());
    Note("reveal " + std::to_string(row) + " " + word + " [" + message + "]");
  }
  void UpdatePanels() override { Note("panels"); }
  void BoardChanged() override { Note("board"); }
  void EndOfMatch() override { Note("end"); }
  void StartChronometer() override { Note("start"); }
  void StopChronometer() override { Note("stop"); }
  void ResetChronometer(int player) override { Note("reset " + std::to_string(player)); }

  // The calls of one kind, in order ("reveal", "proposal", ...).
  std::vector<std::string> Calls(const std::string& kind) const {
    std::vector<std::string> out;
    for (const auto& entry : log) {
      if (entry.rfind(kind + " ", 0) == 0 || entry == kind) out.push_back(entry);
    }
    return out;
  }

 private:
  void Note(std::string entry) {
    log.push_back(entry);
    if (during) during(entry);
  }
};

}  // namespace verdal::test
