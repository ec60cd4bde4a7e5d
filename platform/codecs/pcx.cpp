// PCX: a 128-byte header, then run-length encoded scanlines. Each scanline holds every plane in
// turn, bytesPerLine bytes each. A byte with its two top bits set repeats the next byte (low six
// bits) times; any other byte stands for itself. Some writers let runs cross scanlines, so the
// runs are read as one stream.
#include <algorithm>
#include <array>
#include <vector>

#include "platform/codecs/byte_reader.h"
#include "platform/codecs/formats.h"
#include "platform/codecs/limits.h"
#include "platform/codecs/picture_sink.h"

namespace quorvin::codecs {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kVgaPaletteSize = 769;  // marker byte 12, then 256 RGB triples
constexpr std::uint8_t kVgaPaletteMarker = 12;

using Rgb = std::array<std::uint8_t, 3>;

struct PcxHeader {
  int bitsPerPixel = 0;
  int planes = 0;
  int width = 0;
  int height = 0;
  std::size_t bytesPerLine = 0;
  std::array<Rgb, 256> palette{};  // the header's 16 entries, or the VGA palette at the end
};

class RleStream {
 public:
  explicit RleStream(std::span<const std::uint8_t> data) : data_(data) {}

  // Fills `line`; false when the data ran out first.
  bool Read(std::span<std::uint8_t> line) {
    for (std::uint8_t& out : line) {
      while (runLeft_ == 0) {
        if (pos_ >= data_.size()) return false;
        const std::uint8_t b = data_[pos_++];
        if ((b & 0xC0) != 0xC0) {
          runValue_ = b;
          runLeft_ = 1;
        } else {
          if (pos_ >= data_.size()) return false;
          runValue_ = data_[pos_++];
          runLeft_ = b & 0x3F;  // a count of 0 repeats nothing
        }
      }
      out = runValue_;
      --runLeft_;
    }
    return true;
  }

 private:
  std::span<const std::uint8_t> data_;
  std::size_t pos_ = 0;
  std::uint8_t runValue_ = 0;
  int runLeft_ = 0;
};

bool SupportedLayout(int bits, int planes) {
  return (bits == 1 && planes >= 1 && planes <= 4) || (bits == 2 && planes == 1) ||
         (bits == 4 && planes == 1) || (bits == 8 && (planes == 1 || planes == 3 || planes == 4));
}

// Turns one decoded scanline into BGRA.
void ExpandLine(const PcxHeader& h, const std::uint8_t* line, std::uint8_t* bgra) {
  auto put = [&](int x, const Rgb& c) {
    bgra[x * 4] = c[2];
    bgra[x * 4 + 1] = c[1];
    bgra[x * 4 + 2] = c[0];
    bgra[x * 4 + 3] = 255;
  };
  const std::size_t bpl = h.bytesPerLine;
  if (h.bitsPerPixel == 8 && h.planes >= 3) {  // a plane of red, one of green, one of blue
    for (int x = 0; x < h.width; ++x) put(x, {line[x], line[bpl + x], line[2 * bpl + x]});
  } else if (h.bitsPerPixel == 8) {
    for (int x = 0; x < h.width; ++x) put(x, h.palette[line[x]]);
  } else if (h.bitsPerPixel == 1 && h.planes == 1) {  // monochrome: a set bit is white
    static constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255};
    for (int x = 0; x < h.width; ++x) put(x, (line[x >> 3] >> (7 - (x & 7))) & 1 ? kWhite : kBlack);
  } else if (h.bitsPerPixel == 1) {  // planar EGA: plane p gives bit p of the index
    for (int x = 0; x < h.width; ++x) {
      int index = 0;
      for (int p = 0; p < h.planes; ++p) {
        index |= ((line[p * bpl + (x >> 3)] >> (7 - (x & 7))) & 1) << p;
      }
      put(x, h.palette[index]);
    }
  } else {  // packed 2 or 4 bits per pixel, leftmost pixel in the high bits
    const int bits = h.bitsPerPixel;
    const int perByte = 8 / bits;
    const int mask = (1 << bits) - 1;
    for (int x = 0; x < h.width; ++x) {
      const int shift = 8 - bits * (x % perByte + 1);
      put(x, h.palette[(line[x / perByte] >> shift) & mask]);
    }
  }
}

}  // namespace

DecodeResult DecodePcx(std::span<const std::uint8_t> file, FitSize fit) {
  if (file.size() < kHeaderSize) return NoPicture("PCX header cut short");
  ByteReader reader(file, 3);
  PcxHeader h;
  h.bitsPerPixel = reader.U8();
  const int xMin = reader.U16le(), yMin = reader.U16le();
  const int xMax = reader.U16le(), yMax = reader.U16le();
  reader.Skip(4);  // resolution
  for (int i = 0; i < 16; ++i) {
    for (auto& c : h.palette[i]) c = reader.U8();
  }
  reader.Skip(1);
  h.planes = reader.U8();
  h.bytesPerLine = reader.U16le();
  h.width = xMax - xMin + 1;
  h.height = yMax - yMin + 1;
  if (!SupportedLayout(h.bitsPerPixel, h.planes)) {
    return NoPicture("PCX with " + std::to_string(h.bitsPerPixel) + " bits x " +
                     std::to_string(h.planes) + " planes");
  }
  if (!SizeAllowed(h.width, h.height)) return NoPicture("PCX size out of range");
  if (h.bytesPerLine * 8 < static_cast<std::size_t>(h.width) * h.bitsPerPixel) {
    return NoPicture("PCX lines shorter than the picture is wide");
  }

  // The 256-colour palette is the last 769 bytes, whatever padding comes before it; without its
  // marker an 8-bit picture is grey.
  std::size_t dataEnd = file.size();
  if (h.bitsPerPixel == 8 && h.planes == 1) {
    const bool hasVga = file.size() >= kHeaderSize + kVgaPaletteSize &&
                        file[file.size() - kVgaPaletteSize] == kVgaPaletteMarker;
    for (int i = 0; i < 256; ++i) {
      const std::uint8_t v = static_cast<std::uint8_t>(i);
      h.palette[i] = hasVga ? Rgb{file[file.size() - 768 + i * 3], file[file.size() - 767 + i * 3],
                                  file[file.size() - 766 + i * 3]}
                            : Rgb{v, v, v};
    }
    if (hasVga) dataEnd -= kVgaPaletteSize;
  }

  const PixelSize size{h.width, h.height};
  auto sink = PictureSink::Create(size, ReducedSize(size.width, size.height, fit),
                                  AlphaMeaning::kOpaque, RowOrder::kTopDown);
  if (!sink) return NoPicture(kTooLargeToHold);
  const auto lineBytes = CheckedMul(h.bytesPerLine, h.planes);  // at most 65535 x 4
  if (!lineBytes) return NoPicture(kTooLargeToHold);
  std::vector<std::uint8_t> line(*lineBytes);
  RleStream rle(file.subspan(kHeaderSize, dataEnd - kHeaderSize));
  for (int y = 0; y < h.height && rle.Read(line); ++y) {
    ExpandLine(h, line.data(), sink->Row(y));
    sink->Commit(y);
  }
  if (sink->rowsCommitted() == 0) return NoPicture("PCX without a whole scanline");
  return WithPicture(sink->Finish(size));
}

}  // namespace quorvin::codecs
