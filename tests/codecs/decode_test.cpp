// The entry point: recognising the format by the first bytes alone, and "no picture" (never an
// exception) for whatever is not a picture.
#include <gtest/gtest.h>

#include "tests/codecs/fixtures.h"

namespace quorvin::codecs::testing {
namespace {

struct SniffCase {
  const char* name;
  ByteSet bytes;
  PictureFormat format;
};

class SniffTest : public ::testing::TestWithParam<SniffCase> {};

TEST_P(SniffTest, RecognisesTheFormatByItsFirstBytes) {
  EXPECT_EQ(SniffFormat(GetParam().bytes), GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Signatures, SniffTest,
    ::testing::Values(
        SniffCase{"Png", {0x89, 'P', 'N', 'G', 13, 10, 26, 10}, PictureFormat::kPng},
        SniffCase{
            "PngWithoutItsFirstByte", {'P', 'N', 'G', 13, 10, 26, 10, 0}, PictureFormat::kNone},
        SniffCase{
            "PngMangledByTextMode", {0x89, 'P', 'N', 'G', 10, 26, 10, 0}, PictureFormat::kNone},
        SniffCase{"Jpeg", {0xFF, 0xD8, 0xFF, 0xE0}, PictureFormat::kJpeg},
        SniffCase{"JpegTooShort", {0xFF, 0xD8}, PictureFormat::kNone},
        SniffCase{"Gif87a", {'G', 'I', 'F', '8', '7', 'a'}, PictureFormat::kGif},
        SniffCase{"Gif89a", {'G', 'I', 'F', '8', '9', 'a'}, PictureFormat::kGif},
        SniffCase{"GifUnknownVersion", {'G', 'I', 'F', '8', '8', 'a'}, PictureFormat::kNone},
        SniffCase{"Bmp", {'B', 'M', 0, 0}, PictureFormat::kBmp},
        SniffCase{"Os2BitmapArray", {'B', 'A', 0, 0}, PictureFormat::kNone},
        SniffCase{"Ico", {0, 0, 1, 0, 1, 0}, PictureFormat::kIco},
        SniffCase{"Cur", {0, 0, 2, 0, 1, 0}, PictureFormat::kCur},
        SniffCase{"IconOfAnotherType", {0, 0, 3, 0, 1, 0}, PictureFormat::kNone},
        SniffCase{"Pcx", {0x0A, 5, 1, 8}, PictureFormat::kPcx},
        SniffCase{"PcxVersion0With1Bit", {0x0A, 0, 1, 1}, PictureFormat::kPcx},
        SniffCase{"PcxUnknownVersion", {0x0A, 1, 1, 8}, PictureFormat::kNone},
        SniffCase{"PcxNotRunLength", {0x0A, 5, 0, 8}, PictureFormat::kNone},
        SniffCase{"PcxUnknownDepth", {0x0A, 5, 1, 3}, PictureFormat::kNone},
        SniffCase{"Empty", {}, PictureFormat::kNone},
        SniffCase{"Text", {'h', 'e', 'l', 'l', 'o'}, PictureFormat::kNone}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecodePicture, WhatIsNotAPictureGivesNoPictureAndAReason) {
  for (const ByteSet& bytes :
       {ByteSet{}, ByteSet{'x'}, ByteSet(1000, 0xAB), ByteSet{'B', 'M'}, ByteSet{0, 0, 1, 0},
        ByteSet{0xFF, 0xD8, 0xFF}, ByteSet{0x0A, 5, 1, 8}, ByteSet{'G', 'I', 'F', '8', '9', 'a'}}) {
    const DecodeResult r = DecodePicture(bytes, {128, 128});
    EXPECT_FALSE(r.picture) << Describe(r);
    EXPECT_FALSE(r.reason.empty());
    EXPECT_EQ(r.format, SniffFormat(bytes));
  }
}

TEST(DecodePicture, NamesEveryFormat) {
  const std::pair<PictureFormat, std::string> names[] = {
      {PictureFormat::kNone, "none"}, {PictureFormat::kBmp, "BMP"}, {PictureFormat::kJpeg, "JPEG"},
      {PictureFormat::kPng, "PNG"},   {PictureFormat::kIco, "ICO"}, {PictureFormat::kCur, "CUR"},
      {PictureFormat::kGif, "GIF"},   {PictureFormat::kPcx, "PCX"}};
  for (const auto& [format, name] : names) EXPECT_EQ(FormatName(format), name);
}

// Every prefix of a valid file of each format: never a crash, and a picture only when well formed.
TEST(DecodePicture, EveryPrefixOfAFileIsSafe) {
  DibSpec dib;
  dib.width = 9;
  dib.height = 7;
  dib.pixels.assign(63, 0x00336699);
  JpegSpec jpeg;
  jpeg.width = 9;
  jpeg.height = 7;
  jpeg.samples = Gradient(9, 7, 3);
  PngSpec png;
  png.width = 9;
  png.height = 7;
  png.interlaced = true;
  png.samples.assign(63, 77);
  GifSpec gif;
  gif.screenWidth = 9;
  gif.screenHeight = 7;
  gif.globalColours = {{1, 2, 3}, {4, 5, 6}};
  gif.images.push_back({0, 0, 9, 7, true, std::vector<std::uint8_t>(63, 1), {}, -1});
  DibSpec iconDib = dib;
  iconDib.iconMask = true;
  PcxSpec pcx;
  pcx.width = 9;
  pcx.height = 7;
  pcx.planes = 3;
  pcx.lines.assign(7, std::vector<std::uint8_t>(3 * PcxBytesPerLine(pcx), 200));
  const ByteSet files[] = {EncodeBmp(dib),
                           EncodeJpeg(jpeg),
                           EncodePng(png),
                           EncodeGif(gif),
                           EncodeIco({{9, 7, 0, EncodeDib(iconDib)}}),
                           EncodePcx(pcx)};
  for (const ByteSet& file : files) {
    for (std::size_t n = 0; n <= file.size(); ++n) {
      const ByteSet prefix(file.begin(), file.begin() + n);
      for (FitSize fit : {FitSize{}, FitSize{4, 4}}) {
        const DecodeResult r = DecodePicture(prefix, fit);
        if (r.picture) {
          ASSERT_EQ(r.picture->bgra.size(),
                    static_cast<std::size_t>(r.picture->width) * r.picture->height * 4);
        }
      }
    }
    EXPECT_TRUE(DecodePicture(file).picture) << Describe(DecodePicture(file));
  }
}

}  // namespace
}  // namespace quorvin::codecs::testing
