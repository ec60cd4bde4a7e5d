#pragma once

#include <QFrame>
#include <functional>
#include <span>

#include "core/colour.h"

namespace quorvin::platform {

// The colours the picker's drop-down offers. There is no transparent or "automatic" entry.
std::span<const ColourValue> DropDownColours();

// The picker's drop-down: a grid of colour swatches and a button for any other colour. It
// closes on a choice, on Esc and on a click outside; only a choice calls back.
class ColourDropDown final : public QFrame {
 public:
  ColourDropDown(ColourValue current, std::function<void(ColourValue)> onChosen,
                 std::function<void()> onOtherColour, QWidget* owner);
};

inline constexpr const char* kOtherColourText = "其他颜色...";

}  // namespace quorvin::platform
