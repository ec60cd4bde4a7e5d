#include "platform/controls/button.h"

namespace quorvin::platform {

Button::Button(const ControlSpec& spec, QWidget* parent)
    : QPushButton(QString::fromUtf8(spec.text), parent) {
  // Enter neither presses a focused button nor moves the focus.
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] { Raise(Event::kClicked); });
}

}  // namespace quorvin::platform
