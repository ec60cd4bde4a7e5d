#include "platform/codecs/dib.h"

#include <algorithm>
#include <cstring>

#include "platform/codecs/limits.h"

namespace quorvin::codecs {
namespace {

constexpr std::uint32_t kBiRgb = 0;

bool KnownHeaderSize(std::uint32_t size) {
  // Core (12), OS/2 2.x short and full (16, 64), info (40), its extensions (52, 56) and V4/V5.
  for (std::uint32_t known : {12u, 16u, 40u, 52u, 56u, 64u, 108u, 124u}) {
    if (size == known) return true;
  }
  return false;
}

}  // namespace

std::uint32_t DibHeader::declaredPaletteEntries() const {
  if (coloursUsed != 0) return coloursUsed;
  return bitCount <= 8 ? (1u << bitCount) : 0;
}

std::optional<DibHeader> ReadDibHeader(ByteReader& reader, std::string* why) {
  const std::size_t start = reader.pos();
  DibHeader h;
  h.headerSize = reader.U32le();
  if (!reader.ok() || !KnownHeaderSize(h.headerSize)) {
    *why = "unknown bitmap header size " + std::to_string(h.headerSize);
    return std::nullopt;
  }
  if (h.headerSize == 12) {
    h.core = true;
    h.width = reader.U16le();
    h.height = reader.U16le();
    h.planes = reader.U16le();
    h.bitCount = reader.U16le();
  } else {
    const std::int32_t width = reader.I32le();
    h.width = width < 0 ? -1 : width;  // negative widths are refused below
    h.height = reader.I32le();
    h.planes = reader.U16le();
    h.bitCount = reader.U16le();
    // OS/2's 16-byte header stops here; every later field counts as 0.
    if (h.headerSize >= 40) {
      h.compression = reader.U32le();
      reader.Skip(12);  // image size and resolution: not needed to draw
      h.coloursUsed = reader.U32le();
    }
  }
  reader.Seek(start + h.headerSize);
  if (!reader.ok()) {
    *why = "bitmap header cut short";
    return std::nullopt;
  }
  return h;
}

bool DibDrawable(const DibHeader& h, int rowsDivisor, std::string* why) {
  if (h.planes != 1) {
    *why = "bitmap with " + std::to_string(h.planes) + " planes";
  } else if (h.compression != kBiRgb) {
    *why = "compressed bitmap (compression " + std::to_string(h.compression) + ")";
  } else if (h.bitCount != 1 && h.bitCount != 4 && h.bitCount != 8 && h.bitCount != 24 &&
             h.bitCount != 32) {
    *why = std::to_string(h.bitCount) + " bits per pixel";
  } else if (h.height == INT32_MIN || h.width <= 0 || h.height == 0 ||
             !SizeAllowed(h.width, h.rows() / rowsDivisor)) {
    *why =
        "bitmap size " + std::to_string(h.width) + "x" + std::to_string(h.height) + " out of range";
  } else {
    return true;
  }
  return false;
}

Palette ReadPalette(ByteReader& reader, std::uint32_t entries, std::size_t entrySize) {
  Palette palette;
  const std::size_t count = std::min<std::size_t>(entries, palette.size());
  for (std::size_t i = 0; i < count; ++i) {
    auto bytes = reader.Bytes(entrySize);
    if (bytes.empty()) break;
    palette[i] = {bytes[0], bytes[1], bytes[2], 255};
  }
  return palette;
}

void ExpandDibRow(const std::uint8_t* row, const DibHeader& h, const Palette& palette,
                  std::uint8_t* bgra) {
  const int width = h.width;
  switch (h.bitCount) {
    case 1:
      for (int x = 0; x < width; ++x) {
        const int index = (row[x >> 3] >> (7 - (x & 7))) & 1;
        std::memcpy(bgra + x * 4, &palette[index], 4);
      }
      break;
    case 4:
      for (int x = 0; x < width; ++x) {
        const int index = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
        std::memcpy(bgra + x * 4, &palette[index], 4);
      }
      break;
    case 8:
      for (int x = 0; x < width; ++x) std::memcpy(bgra + x * 4, &palette[row[x]], 4);
      break;
    case 24:
      for (int x = 0; x < width; ++x, row += 3, bgra += 4) {
        bgra[0] = row[0];
        bgra[1] = row[1];
        bgra[2] = row[2];
        bgra[3] = 255;
      }
      break;
    case 32:
      std::memcpy(bgra, row, static_cast<std::size_t>(width) * 4);
      break;
  }
}

}  // namespace quorvin::codecs
