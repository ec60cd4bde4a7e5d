// PNG through libpng's row interface, so that a large picture is reduced row by row and never
// held whole. Every colour type and depth becomes 8-bit BGRA; 16-bit samples are rounded to 8
// bits; a gAMA chunk is honoured the way libpng's simplified reader does for 8-bit output
// (corrected to the sRGB curve). Interlaced files are fed to the reducer pass by pass, one pass
// row at a time, so they need no full-size buffer either.
//
// Errors: a file that ends early keeps the rows decoded so far; any other error (bad CRC, broken
// compressed data, an illegal header) leaves no picture.
#include <png.h>

#include <cstring>
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
  std::span<const std::uint8_t> file;
  std::size_t pos = 0;
  bool ranOut = false;
  bool allRowsRead = false;
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::optional<PictureSink> sink;
  PixelSize size;
  char message[128] = {};

  ~PngDecoder() {
    if (png) png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
  }
};

void ReadFromMemory(png_structp png, png_bytep out, size_t wanted) {
  auto* d = static_cast<PngDecoder*>(png_get_io_ptr(png));
  if (wanted > d->file.size() - d->pos) {
    d->ranOut = true;
    png_error(png, "file cut short");
  }
  std::memcpy(out, d->file.data() + d->pos, wanted);
  d->pos += wanted;
}

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto* d = static_cast<PngDecoder*>(png_get_error_ptr(png));
  std::snprintf(d->message, sizeof d->message, "%s", message ? message : "error");
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Sets up the transformations to 8-bit BGRA. True when the picture has alpha.
bool RequestBgra(png_structp png, png_infop info) {
  const int colourType = png_get_color_type(png, info);
  const int depth = png_get_bit_depth(png, info);
  const bool hasTrns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  const bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || hasTrns;
  if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (hasTrns) png_set_tRNS_to_alpha(png);
  if (depth == 16) png_set_scale_16(png);
  if ((colourType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  png_set_bgr(png);
  if (!hasAlpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  // An sRGB chunk already says the samples are sRGB; a lone gAMA chunk is corrected to it.
  double fileGamma = 0;
  if (!png_get_valid(png, info, PNG_INFO_sRGB) && png_get_gAMA(png, info, &fileGamma) &&
      fileGamma > 0) {
    png_set_gamma(png, PNG_DEFAULT_sRGB, fileGamma);
  }
  return hasAlpha;
}

void ReadRows(PngDecoder* d) {
  png_structp png = d->png;
  const int width = d->size.width;
  const int height = d->size.height;
  if (png_get_interlace_type(png, d->info) == PNG_INTERLACE_NONE) {
    for (int y = 0; y < height; ++y) {
      png_read_row(png, d->sink->Row(y), nullptr);
      d->sink->Commit(y);
    }
    return;
  }
  // Without libpng's interlace handling each Adam7 pass comes as its own smaller picture.
  for (int pass = 0; pass < 7; ++pass) {
    const int columns = static_cast<int>(PNG_PASS_COLS(width, pass));
    const int rows = static_cast<int>(PNG_PASS_ROWS(height, pass));
    if (columns == 0 || rows == 0) continue;  // libpng skips empty passes too
    for (int j = 0; j < rows; ++j) {
      png_read_row(png, d->sink->Scratch(), nullptr);
      d->sink->CommitSparse(static_cast<int>(PNG_ROW_FROM_PASS_ROW(j, pass)),
                            static_cast<int>(PNG_PASS_START_COL(pass)),
                            1 << PNG_PASS_COL_SHIFT(pass), columns);
    }
  }
}

// The whole read. May longjmp out of any libpng call, so it keeps no objects with destructors.
void Read(PngDecoder* d, FitSize fit) {
  png_structp png = d->png;
  png_set_read_fn(png, d, ReadFromMemory);
  png_set_user_limits(png, kMaxSide, kMaxSide);
  png_set_benign_errors(png, 1);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, nullptr, 0);
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kIgnoredChunks, kIgnoredChunkCount);
  png_read_info(png, d->info);

  const auto width = png_get_image_width(png, d->info);
  const auto height = png_get_image_height(png, d->info);
  if (!SizeAllowed(width, height)) {
    std::snprintf(d->message, sizeof d->message, "PNG size out of range");
    return;
  }
  d->size = {static_cast<int>(width), static_cast<int>(height)};
  const bool hasAlpha = RequestBgra(png, d->info);
  png_read_update_info(png, d->info);
  if (png_get_rowbytes(png, d->info) != static_cast<std::size_t>(width) * 4) {
    std::snprintf(d->message, sizeof d->message, "PNG layout not supported");
    return;
  }
  const bool interlaced = png_get_interlace_type(png, d->info) != PNG_INTERLACE_NONE;
  d->sink = PictureSink::Create(d->size, ReducedSize(d->size.width, d->size.height, fit),
                                hasAlpha ? AlphaMeaning::kBlend : AlphaMeaning::kOpaque,
                                interlaced ? RowOrder::kAnyOrder : RowOrder::kTopDown);
  if (!d->sink) {
    std::snprintf(d->message, sizeof d->message, "%s", kTooLargeToHold);
    return;
  }
  ReadRows(d);
  d->allRowsRead = true;
  // Reads the rest, checking the CRC of the last image data; a bad one means corrupt pixels.
  png_read_end(png, nullptr);
}

}  // namespace

DecodeResult DecodePng(std::span<const std::uint8_t> file, FitSize fit) {
  auto d = std::make_unique<PngDecoder>();
  d->file = file;
  d->png = png_create_read_struct(PNG_LIBPNG_VER_STRING, d.get(), OnError, OnWarning);
  if (!d->png) return NoPicture("PNG reader not available");
  d->info = png_create_info_struct(d->png);
  if (!d->info) return NoPicture("PNG reader not available");
  if (setjmp(png_jmpbuf(d->png)) == 0) {
    Read(d.get(), fit);
  } else {
    // Only running out of bytes is forgiven: the rows decoded so far are the picture.
    const bool keep = d->ranOut && d->sink && d->sink->rowsCommitted() > 0;
    if (!keep) return NoPicture(std::string("PNG: ") + d->message);
  }
  if (!d->sink) return NoPicture(d->message);
  return WithPicture(d->sink->Finish(d->size));
}

}  // namespace quorvin::codecs
