// Windows bitmaps: the 14-byte file header, a DIB header, the palette, then rows of pixels.
#include <algorithm>
#include <vector>

#include "platform/codecs/dib.h"
#include "platform/codecs/formats.h"
#include "platform/codecs/picture_sink.h"

namespace quorvin::codecs {

DecodeResult DecodeBmp(std::span<const std::uint8_t> file, FitSize fit) {
  ByteReader reader(file);
  reader.Skip(10);  // "BM", then a file size and reserved words that writers often get wrong
  const std::uint32_t dataOffset = reader.U32le();
  std::string why;
  const auto header = ReadDibHeader(reader, &why);
  if (!header) return NoPicture(why);
  if (!DibDrawable(*header, 1, &why)) return NoPicture(why);

  // A palette the header declares must lie within the file. Only the entries that fit before the
  // pixel data are read; indices past them draw black.
  const std::size_t paletteStart = reader.pos();
  const std::size_t entrySize = header->paletteEntrySize();
  const std::uint64_t declared = header->declaredPaletteEntries();
  if (header->coloursUsed != 0 && declared * entrySize > file.size() - paletteStart) {
    return NoPicture("palette larger than the file");
  }
  if (dataOffset < paletteStart || dataOffset >= file.size()) {
    return NoPicture("pixel data outside the file");
  }
  Palette palette;
  if (header->bitCount <= 8) {
    const std::uint64_t fitting = (dataOffset - paletteStart) / entrySize;
    palette =
        ReadPalette(reader, static_cast<std::uint32_t>(std::min(declared, fitting)), entrySize);
  }

  // Every row must be there; only the padding of the last one may be missing.
  const std::size_t stride = header->stride();
  const int rows = header->rows();
  const std::size_t lastRowBytes =
      (static_cast<std::size_t>(header->width) * header->bitCount + 7) / 8;
  if ((rows - 1) * stride + lastRowBytes > file.size() - dataOffset) {
    return NoPicture("pixel data cut short");
  }

  const PixelSize size{header->width, rows};
  auto sink = PictureSink::Create(size, ReducedSize(size.width, size.height, fit),
                                  AlphaMeaning::kOpaque, RowOrder::kTopDown);
  if (!sink) return NoPicture(kTooLargeToHold);
  // The last row may lack its padding: that one is expanded from a padded copy.
  std::vector<std::uint8_t> padded(stride, 0);
  for (int y = 0; y < rows; ++y) {
    const std::size_t start = dataOffset + (header->topDown() ? y : rows - 1 - y) * stride;
    const std::uint8_t* row = &file[start];
    if (file.size() - start < stride) {
      std::copy(file.begin() + start, file.end(), padded.begin());
      row = padded.data();
    }
    ExpandDibRow(row, *header, palette, sink->Row(y));
    sink->Commit(y);
  }
  return WithPicture(sink->Finish(size));
}

}  // namespace quorvin::codecs
