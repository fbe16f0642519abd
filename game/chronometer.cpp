// The chronometer's steps and time-outs.
#include "game/chronometer.h"

namespace verdal {

void Chronometer::Tick() {
  if (match_.State().players == 2) {
    if (match_.State().current == 1) Step(1);
    if (match_.State().current == 2) Step(2);
  } else {
    Step(1);
  }
}

void Chronometer::Step(int player) {
  int& bar = bars_[player - 1];
  if (++bar < kSteps) return;
  bar = 0;
  match_.TimeOut();
}

}  // namespace verdal
