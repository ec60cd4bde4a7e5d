#pragma once

#include <cstdint>
#include <functional>

#include "core/byte_set.h"

namespace quorvin::test {

struct Bgr {
  std::uint8_t b, g, r;
};

// A 24-bit bottom-up BMP as the platform's snapshot gives it: 54-byte header, then rows of
// packed BGR pixels, bottom row first. `pixel(x, y)` gives the colour at column x, row y (0-based,
// row 0 at the top as displayed).
inline ByteSet MakeSnapshot(int n, const std::function<Bgr(int, int)>& pixel) {
  const std::uint32_t data = static_cast<std::uint32_t>(n * n * 3);
  auto le32 = [](ByteSet& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  ByteSet bmp = {'B', 'M'};
  le32(bmp, 54 + data);
  le32(bmp, 0);
  le32(bmp, 54);
  le32(bmp, 40);
  le32(bmp, static_cast<std::uint32_t>(n));
  le32(bmp, static_cast<std::uint32_t>(n));
  bmp.insert(bmp.end(), {1, 0, 24, 0});
  le32(bmp, 0);
  le32(bmp, data);
  bmp.resize(54, 0);
  for (int row = n - 1; row >= 0; --row) {
    for (int x = 0; x < n; ++x) {
      const Bgr c = pixel(x, row);
      bmp.insert(bmp.end(), {c.b, c.g, c.r});
    }
  }
  return bmp;
}

}  // namespace quorvin::test
