#pragma once

#include <QPushButton>

#include "platform/event_source.h"

namespace quorvin::platform {

// 按钮: a push button. Event: kClicked when the user clicks it (mouse, Space).
class Button final : public QPushButton, public EventSource {
 public:
  explicit Button(const ControlSpec& desc, QWidget* parent = nullptr);
};

}  // namespace quorvin::platform
