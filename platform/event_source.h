#pragma once

#include <QString>
#include <functional>
#include <utility>

#include "platform/layout.h"

namespace quorvin::platform {

// What an event carries: client coordinates for presses and moves, a text for dropped files.
struct EventArgs {
  int x = 0;
  int y = 0;
  QString text;
};

using Handler = std::function<void(const EventArgs&)>;

// Every control kind raises its events through this; the window it was built into decides
// whether a handler is bound. A control that belongs to no window raises into nothing.
class EventSource {
 public:
  using Sink = std::function<void(Event, const EventArgs&)>;

  void SetEventSink(Sink sink) { sink_ = std::move(sink); }

 protected:
  ~EventSource() = default;

  void Raise(Event event, const EventArgs& args = {}) const {
    if (sink_) sink_(event, args);
  }

 private:
  Sink sink_;
};

}  // namespace quorvin::platform
