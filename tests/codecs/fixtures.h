#pragma once

// Pictures made inside the tests: encoded with libpng, libjpeg and giflib, or written byte by byte
// for the formats that have no library here (BMP, ICO, PCX).
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/byte_set.h"
#include "platform/codecs/decode.h"

namespace quorvin::codecs::testing {

using Rgb = std::array<std::uint8_t, 3>;

// A picture as expected: top-down BGRA rows.
struct Expected {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;

  static Expected Filled(int width, int height, std::array<std::uint8_t, 4> bgra);
  std::uint8_t* At(int x, int y) { return &bgra[(static_cast<std::size_t>(y) * width + x) * 4]; }
};

// Largest difference of any byte, or -1 when there is no picture or the sizes differ.
int MaxDifference(const std::optional<Picture>& picture, const Expected& expected);
std::string Describe(const DecodeResult& result);

// ---- PNG (libpng) ----
struct PngSpec {
  int width = 1;
  int height = 1;
  int colourType = 0;  // PNG_COLOR_TYPE_*
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<std::uint16_t> samples;      // width * height * channels, top-down
  std::vector<Rgb> palette;                // colour type 3
  std::vector<std::uint8_t> paletteAlpha;  // tRNS of a palette picture
  std::optional<std::array<std::uint16_t, 3>> transparentColour;  // tRNS of grey (first) / RGB
  std::optional<double> gamma;                                    // gAMA
};
// Samples a pixel of a PNG colour type has: 1 grey or palette, 2 grey+alpha, 3 RGB, 4 RGBA.
int PngChannels(int colourType);
ByteSet EncodePng(const PngSpec& desc);

// ---- JPEG (libjpeg) ----
struct JpegSpec {
  int width = 1;
  int height = 1;
  int components = 3;  // 1 grey, 3 RGB, 4 CMYK
  bool ycck = false;   // store 4 components as YCCK instead of CMYK
  bool progressive = false;
  int quality = 95;
  std::vector<std::uint8_t> samples;  // width * height * components, top-down
};
ByteSet EncodeJpeg(const JpegSpec& desc);
ByteSet EncodeJpegTablesOnly();

// ---- GIF (giflib) ----
struct GifImage {
  int left = 0;
  int top = 0;
  int width = 1;
  int height = 1;
  bool interlaced = false;
  std::vector<std::uint8_t> indices;  // width * height, top-down (written interlaced if asked)
  std::vector<Rgb> localColours;      // empty: use the global table
  int transparentIndex = -1;          // > = 0: a graphics control extension marks it
};
struct GifSpec {
  int screenWidth = 1;
  int screenHeight = 1;
  std::vector<Rgb> globalColours;  // size a power of two, or empty
  int background = 0;
  std::vector<GifImage> images;
};
ByteSet EncodeGif(const GifSpec& desc);

// ---- BMP / ICO DIB (written by hand) ----
struct DibSpec {
  int width = 1;
  int height = 1;  // rows of pixels; top-down when topDown
  bool topDown = false;
  int bitCount = 24;
  int headerSize = 40;  // 12 = OS/2 core header
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  std::vector<Rgb> palette;
  std::vector<std::uint32_t> pixels;  // top-down: palette index, or 0xAARRGGBB for 24/32 bpp
  bool iconMask = false;              // an ICO entry: doubled height and AND mask rows
  std::vector<std::uint8_t> mask;     // per pixel 1 = transparent (ICO only), top-down
};
ByteSet EncodeDib(const DibSpec& desc);  // header, palette, rows (and mask)
ByteSet EncodeBmp(const DibSpec& desc);  // with the 14-byte file header

struct IcoEntry {
  std::uint8_t widthByte = 0;
  std::uint8_t heightByte = 0;
  std::uint8_t colourCount = 0;
  ByteSet image;  // a DIB (EncodeDib with iconMask) or a PNG file
};
ByteSet EncodeIco(const std::vector<IcoEntry>& entries, int type = 1);

// ---- PCX (written by hand) ----
struct PcxSpec {
  int width = 1;
  int height = 1;
  int bitsPerPixel = 8;
  int planes = 1;
  int bytesPerLine = 0;  // 0: the smallest even number that holds a plane's row
  std::array<Rgb, 16> headerPalette{};
  std::vector<std::vector<std::uint8_t>> lines;  // raw scanlines (planes * bytesPerLine bytes)
  std::optional<std::array<Rgb, 256>> vgaPalette;
  std::size_t paddingBeforePalette = 0;
};
int PcxBytesPerLine(const PcxSpec& desc);
ByteSet EncodePcx(const PcxSpec& desc);  // encodes each scanline with RLE
ByteSet PcxRle(const std::vector<std::uint8_t>& raw);

// Deterministic smooth picture content (not noise) for lossy round trips.
std::vector<std::uint8_t> Gradient(int width, int height, int channels);

}  // namespace quorvin::codecs::testing
