#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvin::codecs {

enum class PictureFormat { kNone, kBmp, kJpeg, kPng, kIco, kCur, kGif, kPcx };

// How the picture box treats the alpha bytes: BMP, JPEG, GIF and PCX are drawn opaque (their
// alpha bytes are all 255); ICO/CUR and PNG with alpha (an alpha channel or tRNS) are blended over
// the box's background. A PNG without alpha says kOpaque, which draws the same.
enum class AlphaMeaning { kOpaque, kBlend };

struct Picture {
  int width = 0;  // decoded size: the file's own, or reduced to the fit size while decoding
  int height = 0;
  int sourceWidth = 0;  // size the file declares
  int sourceHeight = 0;
  std::vector<std::uint8_t> bgra;  // top-down rows of width*4 bytes, straight (not premultiplied)
  AlphaMeaning alpha = AlphaMeaning::kOpaque;
};

// The largest size the caller will draw at, in device pixels; 0 in either means "full size".
// Pictures at or below it decode exactly; larger ones are reduced while decoding, never below it:
// each side larger than the fit comes out exactly as large as the fit (area-averaged), each other
// side keeps its size. A 4000x3000 photo with a fit of 128x128 gives 128x128, a 1000x100 strip
// gives 128x100, a 100x40 picture 100x40. Icon and cursor entries up to 256x256, all that an
// icon directory can state, are never reduced: an icon shown large must stay exact. An entry whose
// own header claims more is reduced like any picture, but no side below 256.
struct FitSize {
  int width = 0;
  int height = 0;
};

struct DecodeResult {
  PictureFormat format = PictureFormat::kNone;  // what the first bytes say, even when broken
  std::optional<Picture> picture;               // empty: no picture
  std::string reason;                           // why there is no picture
};

// Recognises the format by the first bytes alone; reads a few bytes and changes nothing.
PictureFormat SniffFormat(std::span<const std::uint8_t> bytes);

// Decodes the bytes of a whole file. Never throws, never reads outside `bytes`, and never
// allocates what a header merely claims: with a fit, memory is bounded by the fit and a few rows
// of the source; at full size by the picture itself, up to kMaxHeldPixels (platform/codecs/
// limits.h). A file cut short shows the rows it holds (the rest black, or transparent when the
// picture has alpha); a file whose data is corrupt shows no picture.
DecodeResult DecodePicture(std::span<const std::uint8_t> bytes, FitSize fit = {});

const char* FormatName(PictureFormat format);

}  // namespace quorvin::codecs
