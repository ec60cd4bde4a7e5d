#pragma once

#include <cstdint>

namespace quorvin {

// A colour value holds red in its lowest byte, then green, then blue; the top byte is 0 for a
// real colour. 0xFF000000 stands for the platform's default colour (the button face).
using ColourValue = std::uint32_t;

inline constexpr ColourValue kDefaultColour = 0xFF000000u;

constexpr std::uint8_t RedOf(ColourValue c) {
  return static_cast<std::uint8_t>(c & 0xFF);
}
constexpr std::uint8_t GreenOf(ColourValue c) {
  return static_cast<std::uint8_t>((c >> 8) & 0xFF);
}
constexpr std::uint8_t BlueOf(ColourValue c) {
  return static_cast<std::uint8_t>((c >> 16) & 0xFF);
}

constexpr ColourValue MakeColour(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return static_cast<ColourValue>(red) | (static_cast<ColourValue>(green) << 8) |
         (static_cast<ColourValue>(blue) << 16);
}

}  // namespace quorvin
