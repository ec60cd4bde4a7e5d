#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorvin::codecs {

enum class PictureFormat { kNone, kBmp, kJpeg, kPng, kIco, kCur, kGif, kPcx };

// How the picture box treats the alpha bytes: BMP, JPEG, GIF and PCX are drawn opaque; ICO/CUR and
// PNG are blended over the box's background.
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
// Pictures at or below it decode exactly; larger ones are reduced while decoding, never below it.
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
// allocates what a header merely claims.
DecodeResult DecodePicture(std::span<const std::uint8_t> bytes, FitSize fit = {});

const char* FormatName(PictureFormat format);

}  // namespace quorvin::codecs
