// Icons and cursors: a directory of images, of which the picture box shows one. An image is a PNG
// file or a DIB whose height counts two bitmaps: the colour (XOR) rows, then 1-bit AND mask rows
// where a set bit means transparent.
#include <algorithm>
#include <cstring>

#include "platform/codecs/dib.h"
#include "platform/codecs/formats.h"
#include "platform/codecs/limits.h"
#include "platform/codecs/picture_sink.h"

namespace quorvin::codecs {
namespace {

constexpr std::size_t kDirectoryHeader = 6;
constexpr std::size_t kEntrySize = 16;
constexpr std::uint32_t kSmallestImage = 40;  // a BITMAPINFOHEADER
constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

// The first entry whose width byte is 32 and whose colour count is above 15, else the last one.
// True-colour entries carry a colour count of 0, so they never qualify.
std::size_t ChosenEntry(std::span<const std::uint8_t> file, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t at = kDirectoryHeader + i * kEntrySize;
    if (file[at] == 32 && file[at + 2] > 15) return i;
  }
  return count - 1;
}

// Applies the AND mask rows that the entry holds; rows past its end count as opaque.
void ApplyAndMask(Picture& picture, const DibHeader& header, std::span<const std::uint8_t> mask) {
  const std::size_t stride = ((static_cast<std::size_t>(picture.width) + 31) / 32) * 4;
  const int rows = picture.height;
  for (int y = 0; y < rows; ++y) {
    const std::size_t stored = header.topDown() ? y : rows - 1 - y;
    std::uint8_t* out = &picture.bgra[static_cast<std::size_t>(y) * picture.width * 4];
    const bool present = (stored + 1) * stride <= mask.size();
    for (int x = 0; x < picture.width; ++x) {
      const bool transparent = present && ((mask[stored * stride + (x >> 3)] >> (7 - (x & 7))) & 1);
      out[x * 4 + 3] = transparent ? 0 : 255;
    }
  }
}

bool AllTransparent(const Picture& picture) {
  for (std::size_t i = 3; i < picture.bgra.size(); i += 4) {
    if (picture.bgra[i] != 0) return false;
  }
  return true;
}

DecodeResult DecodeDibEntry(std::span<const std::uint8_t> entry) {
  ByteReader reader(entry);
  std::string why;
  const auto header = ReadDibHeader(reader, &why);
  if (!header) return NoPicture(why);
  if (!DibDrawable(*header, 2, &why)) return NoPicture(why);

  // The palette (and, for true colour, any colour table the header declares) comes first, then
  // the colour rows, which must all be there; the mask may be cut short.
  const std::size_t paletteStart = reader.pos();
  const std::uint64_t tableBytes =
      std::uint64_t{header->declaredPaletteEntries()} * header->paletteEntrySize();
  if (tableBytes > reader.remaining()) return NoPicture("icon palette beyond the image");
  Palette palette;
  if (header->bitCount <= 8) {
    palette = ReadPalette(reader, header->declaredPaletteEntries(), header->paletteEntrySize());
  }
  reader.Seek(paletteStart + tableBytes);

  const int rows = header->rows() / 2;
  const std::size_t stride = header->stride();
  const std::uint64_t colourBytes = std::uint64_t{stride} * rows;
  if (!reader.ok() || colourBytes > reader.remaining()) return NoPicture("icon image cut short");
  const auto colour = reader.Bytes(colourBytes);
  const auto mask = entry.subspan(reader.pos());

  const PixelSize size{header->width, rows};
  auto sink = PictureSink::Create(size, size, AlphaMeaning::kBlend, RowOrder::kTopDown);
  if (!sink) return NoPicture(kTooLargeToHold);
  for (int y = 0; y < rows; ++y) {
    const std::size_t stored = header->topDown() ? y : rows - 1 - y;
    ExpandDibRow(&colour[stored * stride], *header, palette, sink->Row(y));
    sink->Commit(y);
  }
  Picture picture = sink->Finish(size);
  // A 32-bit image carries its own alpha, unless every alpha byte is 0: such icons were made for
  // systems that ignore the fourth byte, and their mask says what is transparent.
  if (header->bitCount != 32 || AllTransparent(picture)) ApplyAndMask(picture, *header, mask);
  return WithPicture(std::move(picture));
}

}  // namespace

DecodeResult DecodeIco(std::span<const std::uint8_t> file) {
  ByteReader reader(file);
  reader.Skip(4);  // reserved 0, type 1 (icon) or 2 (cursor): the sniffer has checked them
  const std::size_t count = reader.U16le();
  if (!reader.ok() || count == 0) return NoPicture("icon directory is empty");
  if (count > static_cast<std::size_t>(kMaxIcoEntries)) return NoPicture("icon directory too long");
  if (kDirectoryHeader + count * kEntrySize > file.size()) {
    return NoPicture("icon directory cut short");
  }
  const std::size_t chosen = ChosenEntry(file, count);
  reader.Seek(kDirectoryHeader + chosen * kEntrySize + 8);
  const std::uint32_t size = reader.U32le();
  const std::uint32_t offset = reader.U32le();
  if (offset >= file.size() || offset < kDirectoryHeader + count * kEntrySize) {
    return NoPicture("icon image outside the file");
  }
  // An image ends where its size says, or at the end of the file if that comes first. A size too
  // small to hold even a bitmap header is no size at all (some writers leave junk there): the
  // image then runs to the end of the file.
  const std::size_t available = file.size() - offset;
  const std::size_t length =
      size < kSmallestImage ? available : std::min<std::size_t>(size, available);
  const auto entry = file.subspan(offset, length);

  DecodeResult result;
  if (entry.size() >= sizeof kPngSignature &&
      std::memcmp(entry.data(), kPngSignature, sizeof kPngSignature) == 0) {
    result = DecodePng(entry, FitSize{});
  } else {
    result = DecodeDibEntry(entry);
  }
  if (result.picture) result.picture->alpha = AlphaMeaning::kBlend;
  return result;
}

}  // namespace quorvin::codecs
