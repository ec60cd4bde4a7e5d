// PNG through libpng's progressive reader, which hands over one row at a time: a large picture is
// reduced as its rows arrive and never held whole, and a file that ends early still delivers
// every row its data holds. Every colour type and depth becomes 8-bit RGB(A); 16-bit samples are
// rounded to 8 bits; a gAMA chunk is honoured the way libpng's simplified reader does for 8-bit
// output (corrected to a 2.2 display). Interlaced files go to the reducer pass by pass, so they
// need no full-size buffer either.
//
// Errors: a file that ends early keeps the rows decoded; any error libpng reports (a bad CRC,
// broken compressed data, an illegal header) leaves no picture.
#include <png.h>

#include <cstdio>
#include <memory>

#include "platform/codecs/formats.h"
#include "platform/codecs/limits.h"
#include "platform/codecs/picture_sink.h"

namespace quorvin::codecs {
namespace {

// Ancillary chunks that do not change the pixels as drawn here; libpng skips them unread.
constexpr png_byte kIgnoredChunks[] =
    "iCCP\0iTXt\0tEXt\0zTXt\0sPLT\0eXIf\0tIME\0pHYs\0hIST\0bKGD\0";
constexpr int kIgnoredChunkCount = 10;

struct PngDecoder {
  png_structp png = nullptr;
  png_infop info = nullptr;
  FitSize fit;
  PixelSize size;
  bool interlaced = false;
  std::optional<PictureSink> sink;
  char message[128] = {};

  ~PngDecoder() {
    if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  }
};

PngDecoder* DecoderOf(png_structp png) {
  return static_cast<PngDecoder*>(png_get_progressive_ptr(png));
}

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto* d = static_cast<PngDecoder*>(png_get_error_ptr(png));
  std::snprintf(d->message, sizeof d->message, "%s", message ? message : "error");
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Sets up the transformations to 8-bit RGB or RGBA, libpng's own order, which costs no pass over
// the row for the commonest files. True when the picture has alpha.
bool RequestRgb(png_structp png, png_infop info) {
  const int colourType = png_get_color_type(png, info);
  const int depth = png_get_bit_depth(png, info);
  const bool hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  const bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || hasTrns;
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (hasTrns) png_set_tRNS_to_alpha(png);
  if (depth == 16) png_set_scale_16(png);
  if ((colourType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  // An sRGB chunk already says the samples are sRGB; a lone gAMA chunk is corrected to it.
  double fileGamma = 0;
  if (!png_get_valid(png, info, PNG_INFO_sRGB) && png_get_gAMA(png, info, &fileGamma) &&
      fileGamma > 0) {
    png_set_gamma(png, PNG_DEFAULT_sRGB, fileGamma);
  }
  return hasAlpha;
}

// After the header: check it, choose the transformations and make the sink. Errors longjmp.
void OnInfo(png_structp png, png_infop info) {
  PngDecoder* d = DecoderOf(png);
  const auto width = png_get_image_width(png, info);
  const auto height = png_get_image_height(png, info);
  if (!SizeAllowed(width, height)) png_error(png, "PNG size out of range");
  d->size = {static_cast<int>(width), static_cast<int>(height)};
  d->interlaced = png_get_interlace_type(png, info) != PNG_INTERLACE_NONE;
  const bool hasAlpha = RequestRgb(png, info);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<std::size_t>(width) * (hasAlpha ? 4 : 3)) {
    png_error(png, "PNG layout not supported");
  }
  d->sink = PictureSink::Create(d->size, ReducedSize(d->size.width, d->size.height, d->fit),
                                hasAlpha ? AlphaMeaning::kBlend : AlphaMeaning::kOpaque,
                                d->interlaced ? RowOrder::kAnyOrder : RowOrder::kTopDown,
                                hasAlpha ? PixelLayout::kRgba : PixelLayout::kRgb);
  if (!d->sink) png_error(png, kTooLargeToHold);
}

// Without libpng's interlace handling each Adam7 pass arrives as its own smaller picture, and
// `rowNumber` counts rows within the pass.
void OnRow(png_structp png, png_bytep row, png_uint_32 rowNumber, int pass) {
  PngDecoder* d = DecoderOf(png);
  if (row == nullptr || !d->sink) return;
  if (!d->interlaced) {
    d->sink->Commit(static_cast<int>(rowNumber), row);
    return;
  }
  d->sink->CommitSparse(static_cast<int>(PNG_ROW_FROM_PASS_ROW(rowNumber, pass)),
                        static_cast<int>(PNG_PASS_START_COL(pass)), 1 << PNG_PASS_COL_SHIFT(pass),
                        static_cast<int>(PNG_PASS_COLS(d->size.width, pass)), row);
}

void OnEnd(png_structp, png_infop) {}

// The whole read. May longjmp out of any libpng call, so it keeps no objects with destructors.
void Read(PngDecoder* d, std::span<const std::uint8_t> file) {
  png_structp png = d->png;
  png_set_progressive_read_fn(png, d, OnInfo, OnRow, OnEnd);
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_set_benign_errors(png, 1);
  // Every chunk's CRC is checked; zlib's own Adler-32 over the same data adds nothing but time.
  png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks, kIgnoredChunkCount);
  // libpng only reads from what it is given; a file that ends early just stops delivering rows.
  png_process_data(png, d->info, const_cast<png_bytep>(file.data()), file.size());
}

}  // namespace

DecodeResult DecodePng(std::span<const std::uint8_t> file, FitSize fit) {
  auto d = std::make_unique<PngDecoder>();
  d->fit = fit;
  d->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, d.get(), OnError, OnWarning);
  if (!d->png) return NoPicture("PNG reader not available");
  d->info = png_create_info_struct(d->png);
  if (!d->info) return NoPicture("PNG reader not available");
  if (setjmp(png_jmpbuf(d->png)) != 0) return NoPicture(std::string("PNG: ") + d->message);
  Read(d.get(), file);
  if (!d->sink) return NoPicture("PNG cut short before its pixels");
  if (d->sink->rowsCommitted() == 0) return NoPicture("PNG cut short before its first row");
  return WithPicture(d->sink->Finish(d->size));
}

}  // namespace quorvin::codecs
