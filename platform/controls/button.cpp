#include "platform/controls/button.h"

namespace quorvin::platform {

Button::Button(const ControlSpec& desc, QWidget* parent)
    : QPushButton(QString::fromUtf8(desc.text), parent) {
  // Enter neither presses a focused button nor moves the focus.
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] { Raise(Event::kClicked); });
}

}  // namespace quorvin::platform
