// Notify events: optional callables that receive the sending control.
#pragma once

#include <functional>

namespace verdal {

template <typename Sender>
using NotifyEvent = std::function<void(Sender&)>;

// Calls the event only when it is assigned.
template <typename Sender>
void Notify(const NotifyEvent<Sender>& event, Sender& sender) {
  if (event) event(sender);
}

}  // namespace verdal
