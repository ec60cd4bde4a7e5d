#pragma once

#include <cstdint>

#include "core/byte_set.h"
#include "core/colour.h"

namespace quorvin {

// Compared with a pixel's blue (k1), green (k2) and red (k3) byte.
struct KeyColour {
  std::uint8_t k1 = 0;
  std::uint8_t k2 = 0;
  std::uint8_t k3 = 0;
  friend bool operator==(const KeyColour&, const KeyColour&) = default;
};

// The one icon held in memory: the chosen size, the fixed blocks for that size, the 32-bit pixels
// (BGRA, rows bottom-up) and the ICO file assembled from them, plus the inputs of the background
// removal. It knows nothing of windows.
struct IconDocument {
  int IconSize = 0;  // edge length N: 48 or 16; 0 until the first SelectIconSize
  ByteSet header;    // copy of the ICO header template for IconSize
  ByteSet mask;      // copy of the AND mask template for IconSize
  ByteSet PixelBuffer;
  ByteSet IconBytes;

  ByteSet Snapshot;  // the last snapshot: a 24-bit bottom-up BMP of IconSize x IconSize
  KeyColour keyColour;
  std::int32_t Tolerance = 35;

  // N must be 48 or 16; any other value changes nothing. PixelBuffer and IconBytes stay as they
  // are.
  void SelectIconSize(int n);

  // IconBytes := header, PixelBuffer, mask. A complete 48x48 or 16x16 buffer always gets the
  // blocks of its own size, so the file's header never contradicts its data, even when another
  // size was selected since the buffer was made. Never fails.
  const ByteSet& AssembleIcon();

  void SetKeyColour(ColourValue colour);
  void SetTolerance(std::int32_t t) { Tolerance = t; }

  // Rebuilds PixelBuffer from Snapshot: every pixel within Tolerance of the key colour in all three
  // channels gets alpha 0, every other pixel 255. With keyFromCorner the key is first taken from
  // the snapshot's top-right pixel (its last three bytes); a snapshot without a pixel leaves the
  // key as it was.
  void RemoveBackground(bool keyFromCorner);

  // Releases every byte string.
  void Clear();
};

// 1-based position of the alpha byte of the pixel in column x and row y (both 1-based, row 1 at
// the top as displayed) of an N x N buffer stored bottom-up. Red is at -1, green -2, blue -3.
constexpr std::int64_t AlphaPosition(int x, int y, int n) {
  return (static_cast<std::int64_t>(x) + static_cast<std::int64_t>(n - y) * n) * 4;
}

}  // namespace quorvin
