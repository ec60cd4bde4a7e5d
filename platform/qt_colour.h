#pragma once

#include <QColor>
#include <QPalette>

#include "core/colour.h"

namespace quorvin::platform {

// A colour value holds red in its lowest byte; kDefaultColour (or any value with a top byte)
// stands for `fallback`, the platform's own colour for that use.
inline QColor ToQColor(ColourValue value, const QColor& fallback) {
  if ((value & 0xFF000000u) != 0) return fallback;
  return QColor(RedOf(value), GreenOf(value), BlueOf(value));
}

inline ColourValue FromQColor(const QColor& colour) {
  return MakeColour(static_cast<std::uint8_t>(colour.red()),
                    static_cast<std::uint8_t>(colour.green()),
                    static_cast<std::uint8_t>(colour.blue()));
}

// The button-face colour that kDefaultColour backgrounds are drawn in.
inline QColor FaceColour(const QPalette& palette) {
  return palette.color(QPalette::Button);
}

}  // namespace quorvin::platform
