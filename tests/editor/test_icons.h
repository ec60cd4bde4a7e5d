#pragma once

#include <array>
#include <cstdint>

#include "core/byte_set.h"

namespace quorvin::editor::test {

// A pixel's bytes in buffer order: blue, green, red, alpha.
using Bgra = std::array<std::uint8_t, 4>;

// An n x n buffer in which every pixel differs from its neighbours: blue and green count the
// column and row (1-based, row 1 on top), red is 200 (plus the seed), alpha 255.
inline ByteSet TestPixels(int n, int seed = 0) {
  ByteSet pixels(static_cast<std::size_t>(n) * n * 4);
  for (int row = 1; row <= n; ++row) {
    for (int column = 1; column <= n; ++column) {
      // Rows are stored bottom-up.
      const std::size_t at = (static_cast<std::size_t>(n - row) * n + (column - 1)) * 4;
      pixels[at] = static_cast<std::uint8_t>(column * 5);
      pixels[at + 1] = static_cast<std::uint8_t>(row * 5);
      pixels[at + 2] = static_cast<std::uint8_t>(200 + seed);
      pixels[at + 3] = 255;
    }
  }
  return pixels;
}

inline Bgra PixelOf(const ByteSet& pixels, std::int64_t alphaPosition) {
  const auto a = static_cast<std::size_t>(alphaPosition - 1);
  return {pixels[a - 3], pixels[a - 2], pixels[a - 1], pixels[a]};
}

inline void SetPixel(ByteSet& pixels, std::int64_t alphaPosition, Bgra bytes) {
  const auto a = static_cast<std::size_t>(alphaPosition - 1);
  for (std::size_t i = 0; i < 4; ++i) pixels[a - 3 + i] = bytes[i];
}

}  // namespace quorvin::editor::test
