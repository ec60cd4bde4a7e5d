// BMP: the depths and layouts that are drawn, palettes, padding, row order, and what is refused.
#include <gtest/gtest.h>

#include "tests/codecs/fixtures.h"

namespace quorvin::codecs::testing {
namespace {

const std::vector<Rgb> kPalette16 = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};

// A 5 x 3 picture (5 columns leave row padding at every depth) and what it must decode to.
struct Sample {
  DibSpec desc;
  Expected expected;
};

Sample MakeSample(int bitCount, bool topDown, int headerSize) {
  Sample s;
  s.desc.width = 5;
  s.desc.height = 3;
  s.desc.bitCount = bitCount;
  s.desc.topDown = topDown;
  s.desc.headerSize = headerSize;
  s.expected = Expected::Filled(5, 3, {0, 0, 0, 255});
  const int colours = bitCount <= 8 ? std::min(1 << bitCount, 16) : 0;
  s.desc.palette.assign(kPalette16.begin(), kPalette16.begin() + colours);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      std::uint8_t* e = s.expected.At(x, y);
      if (colours) {
        const int index = (x + 2 * y) % colours;
        s.desc.pixels.push_back(index);
        e[0] = kPalette16[index][2], e[1] = kPalette16[index][1], e[2] = kPalette16[index][0];
      } else {
        const std::uint8_t r = 40 * x, g = 100 * y, b = 7 + x * y;
        // The fourth byte of a 32-bit BMP is not alpha: the picture stays opaque.
        s.desc.pixels.push_back(0x11000000u | r << 16 | g << 8 | b);
        e[0] = b, e[1] = g, e[2] = r;
      }
    }
  }
  return s;
}

struct LayoutCase {
  const char* name;
  int bitCount;
  bool topDown;
  int headerSize;
};

class BmpLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(BmpLayoutTest, DecodesExactlyAndOpaque) {
  const auto& c = GetParam();
  const Sample s = MakeSample(c.bitCount, c.topDown, c.headerSize);
  const DecodeResult r = DecodePicture(EncodeBmp(s.desc));
  EXPECT_EQ(r.format, PictureFormat::kBmp);
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(r.picture->alpha, AlphaMeaning::kOpaque);
  EXPECT_EQ(MaxDifference(r.picture, s.expected), 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, BmpLayoutTest,
                         ::testing::Values(LayoutCase{"Bpp1", 1, false, 40},
                                           LayoutCase{"Bpp4", 4, false, 40},
                                           LayoutCase{"Bpp8", 8, false, 40},
                                           LayoutCase{"Bpp24", 24, false, 40},
                                           LayoutCase{"Bpp32AlphaIgnored", 32, false, 40},
                                           LayoutCase{"Bpp8TopDown", 8, true, 40},
                                           LayoutCase{"Bpp24TopDown", 24, true, 40},
                                           LayoutCase{"Bpp8Os2CoreHeader", 8, false, 12},
                                           LayoutCase{"Bpp24CoreHeader", 24, false, 12},
                                           LayoutCase{"Bpp4V5Header", 4, false, 124}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Bmp, IndexPastTheStoredPaletteDrawsBlack) {
  Sample s = MakeSample(8, false, 40);
  s.desc.palette.resize(2);
  s.desc.coloursUsed = 2;
  s.desc.pixels.assign(15, 1);
  s.desc.pixels[0] = 200;  // top-left
  const DecodeResult r = DecodePicture(EncodeBmp(s.desc));
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(std::vector<std::uint8_t>(r.picture->bgra.begin(), r.picture->bgra.begin() + 8),
            (std::vector<std::uint8_t>{0, 0, 0, 255, 0, 0, 128, 255}));
}

TEST(Bmp, LargePictureIsAveragedDownToTheFit) {
  // 2x2 blocks of 0/100 and 50/150: every block averages to 75.
  DibSpec desc;
  desc.width = 200;
  desc.height = 100;
  for (int y = 0; y < 100; ++y) {
    for (int x = 0; x < 200; ++x) {
      const std::uint32_t v = (x % 2) * 100 + (y % 2) * 50;
      desc.pixels.push_back(v << 16 | v << 8 | v);
    }
  }
  const DecodeResult r = DecodePicture(EncodeBmp(desc), {100, 50});
  ASSERT_TRUE(r.picture);
  EXPECT_EQ(r.picture->sourceWidth, 200);
  EXPECT_EQ(r.picture->sourceHeight, 100);
  EXPECT_EQ(MaxDifference(r.picture, Expected::Filled(100, 50, {75, 75, 75, 255})), 0);
}

struct RefusalCase {
  const char* name;
  std::function<void(ByteSet&)> damage;
};

// Byte offsets in a BMP with a 40-byte header.
constexpr std::size_t kDataOffsetField = 10, kWidthField = 18, kHeightField = 22, kPlanesField = 26,
                      kBitCountField = 28, kCompressionField = 30, kColoursUsedField = 46;

void Put32(ByteSet& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

class BmpRefusalTest : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(BmpRefusalTest, ShowsNoPicture) {
  ByteSet bmp = EncodeBmp(MakeSample(8, false, 40).desc);
  GetParam().damage(bmp);
  const DecodeResult r = DecodePicture(bmp, {128, 128});
  EXPECT_EQ(r.format, PictureFormat::kBmp);
  EXPECT_FALSE(r.picture) << Describe(r);
  EXPECT_FALSE(r.reason.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Damage, BmpRefusalTest,
    ::testing::Values(
        RefusalCase{"Rle8", [](ByteSet& b) { b[kCompressionField] = 1; }},
        RefusalCase{"Bitfields", [](ByteSet& b) { b[kCompressionField] = 3; }},
        RefusalCase{"SixteenBits", [](ByteSet& b) { b[kBitCountField] = 16; }},
        RefusalCase{"TwoBits", [](ByteSet& b) { b[kBitCountField] = 2; }},
        RefusalCase{"TwoPlanes", [](ByteSet& b) { b[kPlanesField] = 2; }},
        RefusalCase{"UnknownHeaderSize", [](ByteSet& b) { b[14] = 66; }},
        RefusalCase{"ZeroWidth", [](ByteSet& b) { Put32(b, kWidthField, 0); }},
        RefusalCase{"NegativeWidth", [](ByteSet& b) { Put32(b, kWidthField, -5); }},
        RefusalCase{"ZeroHeight", [](ByteSet& b) { Put32(b, kHeightField, 0); }},
        RefusalCase{"LowestHeight", [](ByteSet& b) { Put32(b, kHeightField, 0x80000000u); }},
        RefusalCase{"HugeSize",
                    [](ByteSet& b) {
                      Put32(b, kWidthField, 3000000);
                      Put32(b, kHeightField, 2000000);
                    }},
        RefusalCase{"PaletteLargerThanFile",
                    [](ByteSet& b) { Put32(b, kColoursUsedField, 0xFF000006u); }},
        RefusalCase{
            "DataOffsetPastEnd",
            [](ByteSet& b) { Put32(b, kDataOffsetField, static_cast<std::uint32_t>(b.size())); }},
        RefusalCase{"DataOffsetInsideHeader", [](ByteSet& b) { Put32(b, kDataOffsetField, 20); }},
        RefusalCase{"RowsCutShort", [](ByteSet& b) { b.resize(b.size() - 9); }},
        RefusalCase{"HeaderCutShort", [](ByteSet& b) { b.resize(30); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Bmp, LastRowMayLackItsPadding) {
  ByteSet bmp = EncodeBmp(MakeSample(24, false, 40).desc);
  bmp.resize(bmp.size() - 1);  // 5 pixels of 3 bytes: one byte of padding per row
  const DecodeResult r = DecodePicture(bmp);
  EXPECT_EQ(MaxDifference(r.picture, MakeSample(24, false, 40).expected), 0) << Describe(r);
}

}  // namespace
}  // namespace quorvin::codecs::testing
