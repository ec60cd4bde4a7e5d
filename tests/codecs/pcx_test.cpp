// PCX: every layout drawn, run-length coding across lines, palettes, and what is refused.
#include <gtest/gtest.h>

#include "tests/codecs/fixtures.h"

namespace quorvin::codecs::testing {
namespace {

std::array<Rgb, 16> HeaderPalette() {
  std::array<Rgb, 16> p{};
  for (int i = 0; i < 16; ++i) {
    p[i] = {static_cast<std::uint8_t>(i * 16), static_cast<std::uint8_t>(255 - i * 8),
            static_cast<std::uint8_t>(i * 5)};
  }
  return p;
}

std::array<Rgb, 256> VgaPalette() {
  std::array<Rgb, 256> p{};
  for (int i = 0; i < 256; ++i) {
    p[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i * 3),
            static_cast<std::uint8_t>(255 - i)};
  }
  return p;
}

// A picture of `colours` colour indices (or RGB for 24-bit), its scanlines and expected pixels.
struct PcxCase {
  const char* name;
  int bits;
  int planes;
  bool vga = true;  // 8-bit, one plane: the palette at the end, else grey
};

std::pair<PcxSpec, Expected> MakePcx(const PcxCase& c, int width, int height) {
  PcxSpec desc;
  desc.width = width;
  desc.height = height;
  desc.bitsPerPixel = c.bits;
  desc.planes = c.planes;
  desc.headerPalette = HeaderPalette();
  if (c.bits == 8 && c.planes == 1 && c.vga) desc.vgaPalette = VgaPalette();
  const int bpl = PcxBytesPerLine(desc);
  Expected e = Expected::Filled(width, height, {0, 0, 0, 255});
  for (int y = 0; y < height; ++y) {
    std::vector<std::uint8_t> line(static_cast<std::size_t>(bpl) * c.planes, 0xA5);  // padding
    // Clear the bits the pixels use, then set them.
    for (int p = 0; p < c.planes; ++p) {
      for (int x = 0; x < width; ++x) {
        if (c.bits == 8) {
          line[p * bpl + x] = 0;
        } else {
          const int bit = x * c.bits;
          line[p * bpl + bit / 8] &= ~(((1 << c.bits) - 1) << (8 - c.bits - bit % 8));
        }
      }
    }
    for (int x = 0; x < width; ++x) {
      Rgb colour;
      if (c.bits == 8 && c.planes >= 3) {
        colour = {static_cast<std::uint8_t>(x * 20), static_cast<std::uint8_t>(y * 30),
                  static_cast<std::uint8_t>(x + y)};
        for (int p = 0; p < c.planes; ++p) line[p * bpl + x] = p < 3 ? colour[p] : 7;
      } else {
        const int colours = c.bits == 1 ? 1 << c.planes : 1 << c.bits;
        const int index = (x * 5 + y * 3) % colours;
        if (c.bits == 8) {
          line[x] = static_cast<std::uint8_t>(index);
          const auto v = static_cast<std::uint8_t>(index);
          colour = c.vga ? VgaPalette()[index] : Rgb{v, v, v};
        } else if (c.bits == 1) {
          for (int p = 0; p < c.planes; ++p) {
            if ((index >> p) & 1) line[p * bpl + x / 8] |= 0x80 >> (x % 8);
          }
          colour = c.planes == 1 ? (index ? Rgb{255, 255, 255} : Rgb{0, 0, 0})
                                 : desc.headerPalette[index];
        } else {
          const int bit = x * c.bits;
          line[bit / 8] |= index << (8 - c.bits - bit % 8);
          colour = desc.headerPalette[index];
        }
      }
      std::uint8_t* px = e.At(x, y);
      px[0] = colour[2], px[1] = colour[1], px[2] = colour[0];
    }
    desc.lines.push_back(line);
  }
  return {desc, e};
}

class PcxLayoutTest : public ::testing::TestWithParam<PcxCase> {};

TEST_P(PcxLayoutTest, DecodesExactlyAndOpaque) {
  const auto [desc, expected] = MakePcx(GetParam(), 13, 4);
  const DecodeResult r = DecodePicture(EncodePcx(desc));
  EXPECT_EQ(r.format, PictureFormat::kPcx);
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(r.picture->alpha, AlphaMeaning::kOpaque);
  EXPECT_EQ(MaxDifference(r.picture, expected), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, PcxLayoutTest,
    ::testing::Values(PcxCase{"MonochromeSetBitIsWhite", 1, 1}, PcxCase{"TwoPlanes", 1, 2},
                      PcxCase{"ThreePlanes", 1, 3}, PcxCase{"FourPlanesEga", 1, 4},
                      PcxCase{"Cga2Bits", 2, 1}, PcxCase{"Packed4Bits", 4, 1},
                      PcxCase{"Vga8Bits", 8, 1}, PcxCase{"GreyWithoutPalette", 8, 1, false},
                      PcxCase{"Rgb24", 8, 3}, PcxCase{"Rgba32AlphaIgnored", 8, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Pcx, RunsMayCrossScanlinesAndThePaletteMayFollowPadding) {
  auto [desc, expected] = MakePcx({"Vga", 8, 1}, 6, 3);
  // Encode all scanlines as one stream, so runs go on from one line into the next.
  std::vector<std::uint8_t> all;
  for (const auto& line : desc.lines) all.insert(all.end(), line.begin(), line.end());
  for (auto& line : desc.lines) line.assign(line.size(), 0);  // replaced below
  desc.paddingBeforePalette = 5;
  desc.lines.clear();
  ByteSet pcx = EncodePcx(desc);
  const ByteSet stream = PcxRle(all);
  pcx.insert(pcx.begin() + 128, stream.begin(), stream.end());
  const DecodeResult r = DecodePicture(pcx);
  EXPECT_EQ(MaxDifference(r.picture, expected), 0) << Describe(r);
}

TEST(Pcx, LongRunsAndZeroLengthRunsDecode) {
  PcxSpec desc;
  desc.width = 100;
  desc.height = 1;
  desc.bytesPerLine = 100;
  desc.vgaPalette = VgaPalette();
  ByteSet pcx = EncodePcx(desc);
  // 0xC0 repeats nothing; then 63 + 37 copies of index 9.
  const ByteSet data = {0xC0, 0x55, 0xFF, 9, 0xC0 | 37, 9};
  pcx.insert(pcx.begin() + 128, data.begin(), data.end());
  const DecodeResult r = DecodePicture(pcx);
  const Rgb c = VgaPalette()[9];
  EXPECT_EQ(MaxDifference(r.picture, Expected::Filled(100, 1, {c[2], c[1], c[0], 255})), 0)
      << Describe(r);
}

TEST(Pcx, TruncatedFileKeepsTheLinesDecoded) {
  auto [desc, expected] = MakePcx({"Rgb", 8, 3}, 10, 6);
  ByteSet pcx = EncodePcx(desc);
  pcx.resize(128 + PcxRle(desc.lines[0]).size() + PcxRle(desc.lines[1]).size() + 3);
  const DecodeResult r = DecodePicture(pcx);
  ASSERT_TRUE(r.picture) << Describe(r);
  // Two whole lines, then black.
  EXPECT_TRUE(std::equal(expected.bgra.begin(), expected.bgra.begin() + 2 * 10 * 4,
                         r.picture->bgra.begin()));
  EXPECT_EQ(r.picture->bgra[2 * 10 * 4 + 2], 0);
}

TEST(Pcx, LargePictureIsAveragedDownToTheFit) {
  PcxSpec desc;
  desc.width = 64;
  desc.height = 64;
  desc.planes = 3;
  for (int y = 0; y < 64; ++y) {
    std::vector<std::uint8_t> line(3 * PcxBytesPerLine(desc), 0);
    for (int x = 0; x < 64; ++x) line[x] = (x % 2) ? 200 : 100;  // red alternates
    desc.lines.push_back(line);
  }
  const DecodeResult r = DecodePicture(EncodePcx(desc), {32, 32});
  EXPECT_EQ(MaxDifference(r.picture, Expected::Filled(32, 32, {0, 0, 150, 255})), 0) << Describe(r);
}

TEST(Pcx, UnsupportedOrInconsistentHeadersShowNoPicture) {
  auto [good, expected] = MakePcx({"Rgb", 8, 3}, 10, 2);
  const ByteSet base = EncodePcx(good);
  ByteSet twoPlanes8 = base;
  twoPlanes8[65] = 2;
  ByteSet shortLines = base;
  shortLines[66] = 9;  // bytes per line below the width
  shortLines[67] = 0;
  ByteSet inverted = base;
  inverted[8] = 0;  // xMax below xMin
  inverted[4] = 5;
  ByteSet headerOnly(base.begin(), base.begin() + 128);
  ByteSet cut(base.begin(), base.begin() + 100);
  for (const ByteSet& pcx : {twoPlanes8, shortLines, inverted, headerOnly, cut}) {
    const DecodeResult r = DecodePicture(pcx);
    EXPECT_FALSE(r.picture) << Describe(r);
    EXPECT_FALSE(r.reason.empty());
  }
}

}  // namespace
}  // namespace quorvin::codecs::testing
