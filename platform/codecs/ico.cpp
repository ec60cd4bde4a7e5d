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

// Real icon entries are at most 256 x 256, all that a directory entry can state, and are decoded
// exactly whatever the fit: an icon shown large must stay exact. An image whose own header claims
// more is no real icon; it is reduced like any other picture, though never below 256 in a side,
// so that a few bytes of compressed PNG cannot make a full-size picture of 64 Mi pixels.
FitSize EntryFit(FitSize fit) {
  if (fit.width <= 0 || fit.height <= 0) return {};
  return {std::max(fit.width, kLargestIconSide), std::max(fit.height, kLargestIconSide)};
}

// True when every fourth byte of the 32-bit colour rows is 0.
bool AlphaAllZero(std::span<const std::uint8_t> colour, std::size_t stride, int width, int rows) {
  for (int y = 0; y < rows; ++y) {
    const std::uint8_t* row = &colour[static_cast<std::size_t>(y) * stride];
    for (int x = 0; x < width; ++x) {
      if (row[x * 4 + 3] != 0) return false;
    }
  }
  return true;
}

// Sets the alpha of one row of pixels from its AND mask row (stored row `stored`); a row past the
// mask's end counts as opaque.
void ApplyAndMaskRow(std::span<const std::uint8_t> mask, std::size_t stored, int width,
                     std::uint8_t* bgra) {
  const std::size_t stride = ((static_cast<std::size_t>(width) + 31) / 32) * 4;
  const bool present = (stored + 1) * stride <= mask.size();
  const std::uint8_t* bits = present ? &mask[stored * stride] : nullptr;
  for (int x = 0; x < width; ++x) {
    const bool transparent = bits && ((bits[x >> 3] >> (7 - (x & 7))) & 1);
    bgra[x * 4 + 3] = transparent ? 0 : 255;
  }
}

DecodeResult DecodeDibEntry(std::span<const std::uint8_t> entry, FitSize fit) {
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

  // A 32-bit image carries its own alpha, unless every alpha byte is 0: such icons were made for
  // systems that ignore the fourth byte, and their mask says what is transparent.
  const bool maskGivesAlpha =
      header->bitCount != 32 || AlphaAllZero(colour, stride, header->width, rows);
  const PixelSize size{header->width, rows};
  auto sink = PictureSink::Create(size, ReducedSize(size.width, size.height, fit),
                                  AlphaMeaning::kBlend, RowOrder::kTopDown);
  if (!sink) return NoPicture(kTooLargeToHold);
  for (int y = 0; y < rows; ++y) {
    const std::size_t stored = header->topDown() ? y : rows - 1 - y;
    std::uint8_t* row = sink->Row(y);
    ExpandDibRow(&colour[stored * stride], *header, palette, row);
    if (maskGivesAlpha) ApplyAndMaskRow(mask, stored, header->width, row);
    sink->Commit(y);
  }
  return WithPicture(sink->Finish(size));
}

}  // namespace

DecodeResult DecodeIco(std::span<const std::uint8_t> file, FitSize fit) {
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
    result = DecodePng(entry, EntryFit(fit));
  } else {
    result = DecodeDibEntry(entry, EntryFit(fit));
  }
  if (result.picture) result.picture->alpha = AlphaMeaning::kBlend;
  return result;
}

}  // namespace quorvin::codecs
