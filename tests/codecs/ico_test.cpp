// ICO and CUR: which entry is shown, DIB entries with their AND mask or alpha, PNG entries, and
// directories that point where they should not.
#include <gtest/gtest.h>
#include <png.h>

#include "platform/codecs/limits.h"
#include "tests/codecs/fixtures.h"

namespace quorvin::codecs::testing {
namespace {

// A w x h entry in one colour, with a transparent top-left pixel (by mask or alpha).
ByteSet SolidEntry(int w, int h, int bitCount, std::uint32_t argb) {
  DibSpec desc;
  desc.width = w;
  desc.height = h;
  desc.bitCount = bitCount;
  desc.iconMask = true;
  desc.mask.assign(static_cast<std::size_t>(w) * h, 0);
  desc.mask[0] = 1;
  if (bitCount <= 8) {
    desc.palette = {{0, 0, 0},
                    {static_cast<std::uint8_t>(argb >> 16), static_cast<std::uint8_t>(argb >> 8),
                     static_cast<std::uint8_t>(argb)}};
    desc.coloursUsed = 2;  // an icon's pixels follow the palette it declares
    desc.pixels.assign(static_cast<std::size_t>(w) * h, 1);
  } else {
    desc.pixels.assign(static_cast<std::size_t>(w) * h, argb);
    if (bitCount == 32) desc.pixels[0] &= 0x00FFFFFF;
  }
  return EncodeDib(desc);
}

struct EntryChoiceCase {
  const char* name;
  std::vector<std::pair<int, int>> entries;  // width byte, colour count
  int shown;
};

class IcoEntryChoiceTest : public ::testing::TestWithParam<EntryChoiceCase> {};

TEST_P(IcoEntryChoiceTest, ShowsTheFirst32PixelEntryWithMoreThan15ColoursElseTheLast) {
  const auto& c = GetParam();
  std::vector<IcoEntry> entries;
  for (std::size_t i = 0; i < c.entries.size(); ++i) {
    // Each image is (i + 1) pixels wide, so the decoded width tells which one was shown.
    entries.push_back({static_cast<std::uint8_t>(c.entries[i].first), 0,
                       static_cast<std::uint8_t>(c.entries[i].second),
                       SolidEntry(static_cast<int>(i) + 1, 2, 4, 0xFF336699)});
  }
  for (int type : {1, 2}) {
    const DecodeResult r = DecodePicture(EncodeIco(entries, type));
    ASSERT_TRUE(r.picture) << Describe(r);
    EXPECT_EQ(r.format, type == 1 ? PictureFormat::kIco : PictureFormat::kCur);
    EXPECT_EQ(r.picture->width, c.shown + 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Directories, IcoEntryChoiceTest,
    ::testing::Values(EntryChoiceCase{"SingleEntry", {{16, 0}}, 0},
                      EntryChoiceCase{"First32With16Colours", {{16, 16}, {32, 16}, {32, 16}}, 1},
                      EntryChoiceCase{"TrueColourCountZeroDoesNotQualify", {{32, 0}, {16, 16}}, 1},
                      EntryChoiceCase{"FifteenColoursDoNotQualify", {{32, 15}, {48, 0}}, 1},
                      EntryChoiceCase{"Count255Qualifies", {{48, 0}, {32, 255}, {16, 0}}, 1},
                      EntryChoiceCase{"OtherWidthsDoNotQualify", {{48, 16}, {0, 16}, {24, 16}}, 2},
                      EntryChoiceCase{"TwoQualifyFirstWins", {{32, 0}, {32, 16}, {32, 16}}, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct DepthCase {
  const char* name;
  int bitCount;
};

class IcoDepthTest : public ::testing::TestWithParam<DepthCase> {};

TEST_P(IcoDepthTest, ColourWithTransparencyFromMaskOrAlpha) {
  const int bits = GetParam().bitCount;
  const DecodeResult r = DecodePicture(EncodeIco({{3, 2, 0, SolidEntry(3, 2, bits, 0xFF336699)}}));
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(r.picture->alpha, AlphaMeaning::kBlend);
  Expected e = Expected::Filled(3, 2, {0x99, 0x66, 0x33, 255});
  EXPECT_EQ(r.picture->bgra[3], 0);
  for (int i = 1; i < 6; ++i) {
    EXPECT_EQ(std::vector<std::uint8_t>(r.picture->bgra.begin() + i * 4,
                                        r.picture->bgra.begin() + i * 4 + 4),
              std::vector<std::uint8_t>(e.bgra.begin() + i * 4, e.bgra.begin() + i * 4 + 4))
        << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, IcoDepthTest,
                         ::testing::Values(DepthCase{"Bpp1", 1}, DepthCase{"Bpp4", 4},
                                           DepthCase{"Bpp8", 8}, DepthCase{"Bpp24", 24},
                                           DepthCase{"Bpp32", 32}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Ico, ThirtyTwoBitAlphaWinsOverTheMaskUnlessItIsAllZero) {
  DibSpec desc;
  desc.width = 2;
  desc.height = 1;
  desc.bitCount = 32;
  desc.iconMask = true;
  desc.mask = {1, 0};  // says: first transparent, second opaque
  desc.pixels = {0x80102030, 0x40102030};
  DecodeResult r = DecodePicture(EncodeIco({{2, 1, 0, EncodeDib(desc)}}));
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(r.picture->bgra[3], 0x80);
  EXPECT_EQ(r.picture->bgra[7], 0x40);

  desc.pixels = {0x00102030, 0x00102030};  // written for systems that ignore the fourth byte
  r = DecodePicture(EncodeIco({{2, 1, 0, EncodeDib(desc)}}));
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(r.picture->bgra[3], 0);
  EXPECT_EQ(r.picture->bgra[7], 255);
}

ByteSet PngEntry(int w, int h, bool alpha) {
  PngSpec desc;
  desc.width = w;
  desc.height = h;
  desc.colourType = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
  for (int i = 0; i < w * h; ++i) {
    desc.samples.insert(desc.samples.end(), {10, 20, 30});
    if (alpha) desc.samples.push_back(i == 0 ? 0 : 200);
  }
  return EncodePng(desc);
}

TEST(Ico, PngEntriesKeepTheirAlphaAndAreBlended) {
  for (bool alpha : {true, false}) {
    const DecodeResult r = DecodePicture(EncodeIco({{0, 0, 0, PngEntry(5, 4, alpha)}}));
    ASSERT_TRUE(r.picture) << Describe(r);
    EXPECT_EQ(r.picture->alpha, AlphaMeaning::kBlend);
    EXPECT_EQ(r.picture->width, 5);
    EXPECT_EQ(r.picture->bgra[3], alpha ? 0 : 255);
    EXPECT_EQ(r.picture->bgra[4 + 2], 10);
    EXPECT_EQ(r.picture->bgra[4 + 3], alpha ? 200 : 255);
  }
}

TEST(Ico, IconsAreNeverReduced) {
  const ByteSet ico = EncodeIco({{64, 64, 0, SolidEntry(64, 64, 32, 0xFF112233)}});
  const DecodeResult r = DecodePicture(ico, {16, 16});
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(r.picture->width, 64);
  EXPECT_EQ(r.picture->height, 64);
}

TEST(Ico, MissingMaskRowsAreOpaque) {
  ByteSet entry = SolidEntry(3, 2, 24, 0xFF336699);
  entry.resize(entry.size() - 4);  // the mask row stored last: the top one
  const DecodeResult r = DecodePicture(EncodeIco({{3, 2, 0, entry}}));
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(r.picture->bgra[3], 255);
}

TEST(Ico, SizeTooSmallForAnyImageIsIgnored) {
  ByteSet ico = EncodeIco({{3, 2, 0, SolidEntry(3, 2, 8, 0xFF336699)}});
  ico[6 + 8] = 8;  // bytes in resource: 8, as some cursor writers leave it
  const DecodeResult r = DecodePicture(ico);
  EXPECT_TRUE(r.picture) << Describe(r);
}

struct BrokenIcoCase {
  const char* name;
  std::function<void(ByteSet&)> damage;
};

void Put32(ByteSet& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

class BrokenIcoTest : public ::testing::TestWithParam<BrokenIcoCase> {};

TEST_P(BrokenIcoTest, ShowsNoPicture) {
  ByteSet ico = EncodeIco({{16, 16, 0, SolidEntry(16, 16, 8, 0xFF336699)}});
  GetParam().damage(ico);
  const DecodeResult r = DecodePicture(ico, {128, 128});
  EXPECT_FALSE(r.picture) << Describe(r);
  EXPECT_FALSE(r.reason.empty());
}

// Byte offsets: directory entry 0 at 6 (size at 14, offset at 18); its DIB header at 22.
INSTANTIATE_TEST_SUITE_P(
    Damage, BrokenIcoTest,
    ::testing::Values(
        BrokenIcoCase{"NoEntries", [](ByteSet& b) { b[4] = 0; }},
        BrokenIcoCase{"DirectoryCutShort", [](ByteSet& b) { b[4] = 79; }},
        BrokenIcoCase{"TooManyEntries",
                      [](ByteSet& b) {
                        b[4] = (kMaxIcoEntries + 1) & 0xFF;
                        b[5] = (kMaxIcoEntries + 1) >> 8;
                        b.resize(b.size() + 16 * kMaxIcoEntries);
                      }},
        BrokenIcoCase{"OffsetPastTheEnd",
                      [](ByteSet& b) { Put32(b, 18, static_cast<std::uint32_t>(b.size())); }},
        BrokenIcoCase{"OffsetHuge", [](ByteSet& b) { Put32(b, 18, 0xFFFFFFF0u); }},
        BrokenIcoCase{"OffsetIntoTheDirectory", [](ByteSet& b) { Put32(b, 18, 2); }},
        BrokenIcoCase{"SizeShorterThanTheColourRows", [](ByteSet& b) { Put32(b, 14, 200); }},
        BrokenIcoCase{"ColourRowsCutShort", [](ByteSet& b) { b.resize(22 + 40 + 8 + 100); }},
        BrokenIcoCase{"PaletteBeyondTheImage", [](ByteSet& b) { Put32(b, 22 + 32, 0x10000000); }},
        BrokenIcoCase{"HugeDib",
                      [](ByteSet& b) {
                        Put32(b, 22 + 4, 65535);
                        Put32(b, 22 + 8, 2 * 65535);
                      }},
        BrokenIcoCase{"CompressedDib", [](ByteSet& b) { b[22 + 16] = 1; }},
        BrokenIcoCase{"SixteenBitDib", [](ByteSet& b) { b[22 + 14] = 16; }},
        BrokenIcoCase{"BrokenPngEntry",
                      [](ByteSet& b) {
                        const std::uint8_t signature[8] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
                        std::copy(signature, signature + 8, b.begin() + 22);
                      }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvin::codecs::testing
