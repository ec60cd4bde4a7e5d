// PNG: every colour type and depth to 8-bit BGRA, transparency, gamma, interlacing, reduction,
// truncation and corruption.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cmath>

#include "tests/codecs/fixtures.h"

namespace quorvin::codecs::testing {
namespace {

const std::vector<Rgb> kPalette = {{255, 0, 0},     {0, 255, 0}, {0, 0, 255},  {9, 99, 199},
                                   {250, 250, 250}, {1, 2, 3},   {60, 70, 80}, {200, 100, 0}};

struct PngCase {
  const char* name;
  int colourType;
  int bitDepth;
  bool transparency = false;  // tRNS: palette alphas, or the grey / RGB key colour
};

// A 7 x 5 picture whose samples run over the whole range of the depth, and its expected pixels.
std::pair<PngSpec, Expected> MakePng(const PngCase& c, bool interlaced) {
  PngSpec desc;
  desc.width = 7;
  desc.height = 5;
  desc.colourType = c.colourType;
  desc.bitDepth = c.bitDepth;
  desc.interlaced = interlaced;
  const int channels = PngChannels(c.colourType);
  const unsigned maxValue = (1u << c.bitDepth) - 1;
  const bool palette = c.colourType == PNG_COLOR_TYPE_PALETTE;
  if (palette) {
    desc.palette.assign(kPalette.begin(), kPalette.begin() + std::min<int>(8, maxValue + 1));
    if (c.transparency) desc.paletteAlpha = {0, 128};  // entries past the list stay opaque
  }
  if (c.transparency && !palette) {
    desc.transparentColour = std::array<std::uint16_t, 3>{static_cast<std::uint16_t>(maxValue), 0,
                                                          static_cast<std::uint16_t>(maxValue)};
  }
  Expected e = Expected::Filled(7, 5, {0, 0, 0, 255});
  auto to8 = [&](unsigned v) {  // libpng's rounding for 16 bits, exact scaling below 8
    return static_cast<std::uint8_t>(c.bitDepth == 16 ? (v * 255 + 32895) >> 16
                                                      : v * 255 / maxValue);
  };
  const std::vector<unsigned> key = {maxValue, 0, maxValue};
  for (int i = 0; i < 35; ++i) {
    std::vector<unsigned> samples;
    for (int ch = 0; ch < channels; ++ch) {
      unsigned v = (i * 37 + ch * 91) % (maxValue + 1);
      if (palette) v %= desc.palette.size();
      if (c.bitDepth == 16) v = (v * 257 + i * 13) & 0xFFFF;  // low bytes matter too
      if (i == 0 && c.transparency && !palette) v = ch == 1 && channels == 3 ? 0 : maxValue;
      samples.push_back(v);
    }
    desc.samples.insert(desc.samples.end(), samples.begin(), samples.end());
    std::uint8_t* px = &e.bgra[i * 4];
    if (palette) {
      const Rgb& colour = desc.palette[samples[0]];
      px[0] = colour[2], px[1] = colour[1], px[2] = colour[0];
      px[3] = samples[0] < desc.paletteAlpha.size() ? desc.paletteAlpha[samples[0]] : 255;
    } else if (channels <= 2) {
      px[0] = px[1] = px[2] = to8(samples[0]);
      if (channels == 2) px[3] = to8(samples[1]);
    } else {
      px[0] = to8(samples[2]), px[1] = to8(samples[1]), px[2] = to8(samples[0]);
      if (channels == 4) px[3] = to8(samples[3]);
    }
    // Key colours exist for grey and RGB only, whose samples are fewer than the key's three.
    if (c.transparency && !palette && samples.size() <= key.size() &&
        std::equal(samples.begin(), samples.end(), key.begin())) {
      px[3] = 0;
    }
  }
  return {desc, e};
}

void PrintTo(const PngCase& c, std::ostream* os) {
  *os << c.name;
}

class PngFormatTest : public ::testing::TestWithParam<std::tuple<PngCase, bool>> {};

TEST_P(PngFormatTest, DecodesToEightBitBgra) {
  const auto& [c, interlaced] = GetParam();
  const auto [desc, expected] = MakePng(c, interlaced);
  const DecodeResult r = DecodePicture(EncodePng(desc));
  EXPECT_EQ(r.format, PictureFormat::kPng);
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(MaxDifference(r.picture, expected), 0);
  const bool hasAlpha = (c.colourType & PNG_COLOR_MASK_ALPHA) || c.transparency;
  EXPECT_EQ(r.picture->alpha, hasAlpha ? AlphaMeaning::kBlend : AlphaMeaning::kOpaque);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, PngFormatTest,
    ::testing::Combine(::testing::Values(PngCase{"Grey1", PNG_COLOR_TYPE_GRAY, 1},
                                         PngCase{"Grey2", PNG_COLOR_TYPE_GRAY, 2},
                                         PngCase{"Grey4", PNG_COLOR_TYPE_GRAY, 4},
                                         PngCase{"Grey8", PNG_COLOR_TYPE_GRAY, 8},
                                         PngCase{"Grey16", PNG_COLOR_TYPE_GRAY, 16},
                                         PngCase{"Grey4KeyColour", PNG_COLOR_TYPE_GRAY, 4, true},
                                         PngCase{"Grey16KeyColour", PNG_COLOR_TYPE_GRAY, 16, true},
                                         PngCase{"GreyAlpha8", PNG_COLOR_TYPE_GRAY_ALPHA, 8},
                                         PngCase{"GreyAlpha16", PNG_COLOR_TYPE_GRAY_ALPHA, 16},
                                         PngCase{"Rgb8", PNG_COLOR_TYPE_RGB, 8},
                                         PngCase{"Rgb16", PNG_COLOR_TYPE_RGB, 16},
                                         PngCase{"Rgb8KeyColour", PNG_COLOR_TYPE_RGB, 8, true},
                                         PngCase{"Rgba8", PNG_COLOR_TYPE_RGB_ALPHA, 8},
                                         PngCase{"Rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16},
                                         PngCase{"Palette1", PNG_COLOR_TYPE_PALETTE, 1},
                                         PngCase{"Palette2", PNG_COLOR_TYPE_PALETTE, 2},
                                         PngCase{"Palette4", PNG_COLOR_TYPE_PALETTE, 4},
                                         PngCase{"Palette8WithAlphas", PNG_COLOR_TYPE_PALETTE, 8,
                                                 true}),
                       ::testing::Bool()),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) +
             (std::get<1>(info.param) ? "Interlaced" : "");
    });

PngSpec GreyRamp(std::optional<double> gamma) {
  PngSpec desc;
  desc.width = 256;
  desc.height = 1;
  for (int v = 0; v < 256; ++v) desc.samples.push_back(v);
  desc.gamma = gamma;
  return desc;
}

TEST(Png, LinearGammaIsCorrectedForTheDisplay) {
  const DecodeResult r = DecodePicture(EncodePng(GreyRamp(1.0)));
  ASSERT_TRUE(r.picture) << Describe(r);
  for (int v = 0; v < 256; ++v) {
    const double expected = 255.0 * std::pow(v / 255.0, 1 / 2.2);
    EXPECT_NEAR(r.picture->bgra[v * 4], expected, 1.0) << v;
  }
}

TEST(Png, DisplayGammaAndNoGammaLeaveSamplesAlone) {
  for (std::optional<double> gamma : {std::optional<double>(1 / 2.2), std::optional<double>()}) {
    const DecodeResult r = DecodePicture(EncodePng(GreyRamp(gamma)));
    ASSERT_TRUE(r.picture) << Describe(r);
    for (int v = 0; v < 256; ++v) EXPECT_EQ(r.picture->bgra[v * 4], v);
  }
}

PngSpec Photo(int width, int height, bool interlaced) {
  PngSpec desc;
  desc.width = width;
  desc.height = height;
  desc.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
  desc.interlaced = interlaced;
  for (std::uint8_t v : Gradient(width, height, 4)) desc.samples.push_back(v);
  return desc;
}

TEST(Png, InterlacedPassesReduceLikeTheWholePicture) {
  const FitSize fit{40, 30};
  const DecodeResult plain = DecodePicture(EncodePng(Photo(301, 199, false)), fit);
  const DecodeResult interlaced = DecodePicture(EncodePng(Photo(301, 199, true)), fit);
  ASSERT_TRUE(plain.picture && interlaced.picture);
  EXPECT_EQ(plain.picture->width, 40);
  EXPECT_EQ(plain.picture->height, 30);
  Expected reference{40, 30, plain.picture->bgra};
  EXPECT_LE(MaxDifference(interlaced.picture, reference), 1);
  EXPECT_GE(MaxDifference(interlaced.picture, reference), 0);
}

// Positions of the chunks in a PNG file.
std::size_t ChunkOffset(const ByteSet& png, const char* type) {
  for (std::size_t pos = 8; pos + 8 <= png.size();) {
    const std::size_t length =
        png[pos] << 24 | png[pos + 1] << 16 | png[pos + 2] << 8 | png[pos + 3];
    if (std::equal(type, type + 4, png.begin() + pos + 4)) return pos;
    pos += 12 + length;
  }
  return png.size();
}

TEST(Png, TruncatedFileKeepsTheRowsDecoded) {
  const PngSpec desc = Photo(64, 64, false);
  ByteSet png = EncodePng(desc);
  const std::size_t idat = ChunkOffset(png, "IDAT");
  png.resize(idat + (png.size() - idat) / 2);
  const DecodeResult r = DecodePicture(png);
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(r.picture->alpha, AlphaMeaning::kBlend);
  const std::vector<std::uint8_t> firstRow(r.picture->bgra.begin(), r.picture->bgra.begin() + 4);
  EXPECT_EQ(firstRow, (std::vector<std::uint8_t>{static_cast<std::uint8_t>(desc.samples[2]),
                                                 static_cast<std::uint8_t>(desc.samples[1]),
                                                 static_cast<std::uint8_t>(desc.samples[0]),
                                                 static_cast<std::uint8_t>(desc.samples[3])}));
  // The rows never decoded are transparent.
  EXPECT_EQ(r.picture->bgra.back(), 0);
}

TEST(Png, CorruptFilesShowNoPicture) {
  const ByteSet good = EncodePng(Photo(16, 16, false));
  ByteSet badCrc = good;
  badCrc[ChunkOffset(good, "IDAT") + 10] ^= 0xFF;  // compressed data changed, CRC not
  ByteSet badDepth = good;
  badDepth[24] = 3;  // IHDR bit depth 3 (the CRC is checked first, so fix it)
  const std::uint32_t crc = crc32(0, &badDepth[12], 17);
  for (int i = 0; i < 4; ++i) badDepth[29 + i] = (crc >> (24 - 8 * i)) & 0xFF;
  ByteSet signatureOnly(good.begin(), good.begin() + 8);
  for (const ByteSet& png : {badCrc, badDepth, signatureOnly}) {
    const DecodeResult r = DecodePicture(png);
    EXPECT_EQ(r.format, PictureFormat::kPng);
    EXPECT_FALSE(r.picture) << Describe(r);
  }
}

}  // namespace
}  // namespace quorvin::codecs::testing
