#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/codecs/byte_reader.h"

namespace quorvin::codecs {

// The device-independent bitmap shared by BMP files and the DIB entries of ICO and CUR files.
// Only uncompressed 1, 4, 8, 24 and 32 bits per pixel are drawn.
struct DibHeader {
  std::uint32_t headerSize = 0;
  bool core = false;  // the 12-byte OS/2 header, whose palette entries have 3 bytes, not 4
  int width = 0;
  std::int64_t height = 0;  // as stored: negative means rows top-down
  int planes = 0;
  int bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;

  int rows() const { return static_cast<int>(height < 0 ? -height : height); }
  bool topDown() const { return height < 0; }
  std::size_t paletteEntrySize() const { return core ? 3 : 4; }
  // Entries the header declares: coloursUsed, or 2^bitCount when that is 0 (none above 8 bpp).
  std::uint32_t declaredPaletteEntries() const;
  // Bytes of one stored row: bits rounded up to whole 32-bit words.
  std::size_t stride() const {
    return ((static_cast<std::size_t>(width) * bitCount + 31) / 32) * 4;
  }
};

struct Bgra {
  std::uint8_t b = 0, g = 0, r = 0, a = 255;
};
using Palette = std::array<Bgra, 256>;  // indices past the stored palette stay opaque black

// Reads the header at the reader's position. Nothing (and why) for a header size it does not know.
std::optional<DibHeader> ReadDibHeader(ByteReader& reader, std::string* why);

// Checks what this program draws: one plane, BI_RGB, 1/4/8/24/32 bpp, a size within the limits.
// `rowsDivisor` is 2 for icon entries, whose height counts the AND mask too.
bool DibDrawable(const DibHeader& header, int rowsDivisor, std::string* why);

// Reads up to `entries` palette entries (at most 256); the rest of the palette stays black.
Palette ReadPalette(ByteReader& reader, std::uint32_t entries, std::size_t entrySize);

// Expands one stored row into `width` BGRA pixels. For 32 bpp the fourth byte is copied as it is.
// `row` must hold stride() bytes.
void ExpandDibRow(const std::uint8_t* row, const DibHeader& header, const Palette& palette,
                  std::uint8_t* bgra);

}  // namespace quorvin::codecs
