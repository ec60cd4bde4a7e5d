#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace quorvin {

// The fixed blocks of a single-image, 32-bit icon: ICONDIR, one ICONDIRENTRY and the image's
// BITMAPINFOHEADER (62 bytes), and the all-zero AND mask. They are constants, written out field by
// field; nothing in them is computed at run time.
inline constexpr std::size_t kIcoHeaderSize = 62;

struct IconTemplates {
  int size;  // edge length N
  std::span<const std::uint8_t> header;
  std::span<const std::uint8_t> mask;
};

// The templates for N = 48 or N = 16; any other N has none.
const IconTemplates* FindIconTemplates(int size);

// Pixel bytes of a complete N x N buffer of 4-byte pixels.
constexpr std::size_t CompletePixelBytes(int size) {
  return static_cast<std::size_t>(size) * static_cast<std::size_t>(size) * 4;
}

}  // namespace quorvin
