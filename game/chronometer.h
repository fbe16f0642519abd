// The chronometer of a deal: each timer tick advances the bar of the player to play,
// and a bar that reaches its end is a time-out for that player.
#pragma once

#include <array>

#include "game/match.h"

namespace verdal {

class Chronometer {
 public:
  static constexpr int kSteps = 100;

  // The match is not owned and must outlive the chronometer.
  explicit Chronometer(Match& match) : match_(match) {}

  // One timer tick. With two players, a time-out of player 1 hands the turn to
  // player 2, whose bar then takes its first step in the same tick.
  void Tick();
  // Sets a player's bar (1 or 2) back to 0, as the rules ask at each proposal and deal.
  void Reset(int player) { bars_.at(player - 1) = 0; }
  int Bar(int player) const { return bars_.at(player - 1); }

 private:
  void Step(int player);

  Match& match_;
  std::array<int, 2> bars_{};
};

}  // namespace verdal
