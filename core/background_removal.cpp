#include <cstdlib>

#include "core/icon_document.h"

namespace quorvin {
namespace {

// The snapshot's pixel data starts after the 14-byte file header and the 40-byte info header.
// The removal reads no header field: it treats everything after them as packed 3-byte pixels,
// which is exact for 48 and 16 pixels a row (144 and 48 bytes: no row padding).
constexpr std::size_t kBmpPixelOffset = 54;

bool WithinTolerance(std::uint8_t value, std::uint8_t key, int t) {
  return std::abs(static_cast<int>(value) - static_cast<int>(key)) <= t;
}

}  // namespace

void IconDocument::RemoveBackground(bool keyFromCorner) {
  ByteSet pixels;
  const std::size_t length = Snapshot.size();
  const std::size_t count = length > kBmpPixelOffset ? (length - kBmpPixelOffset) / 3 : 0;

  // The last three bytes are the blue, green and red of the top-right pixel; without one whole
  // pixel there is no corner to take, and the key stays as it was.
  if (keyFromCorner && count > 0) {
    keyColour = {Snapshot[length - 3], Snapshot[length - 2], Snapshot[length - 1]};
  }

  const int t = Tolerance;
  pixels.reserve(count * 4);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* p = Snapshot.data() + kBmpPixelOffset + 3 * i;
    const std::uint8_t b = p[0], g = p[1], r = p[2];
    // A tolerance of 0 turns the removal off, even for a pixel equal to the key. A negative one
    // makes the box empty, so nothing is background either.
    const bool background = t != 0 && WithinTolerance(b, keyColour.k1, t) &&
                            WithinTolerance(g, keyColour.k2, t) &&
                            WithinTolerance(r, keyColour.k3, t);
    pixels.insert(pixels.end(), {b, g, r, static_cast<std::uint8_t>(background ? 0 : 255)});
  }
  PixelBuffer = std::move(pixels);
}

}  // namespace quorvin
