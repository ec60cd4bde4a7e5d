#include "core/icon_document.h"

#include <gtest/gtest.h>

#include <numeric>

#include "core/ico_templates.h"

namespace quorvin {
namespace {

ByteSet CountingBuffer(int n) {
  ByteSet pixels(CompletePixelBytes(n));
  std::iota(pixels.begin(), pixels.end(), std::uint8_t{1});
  return pixels;
}

std::uint32_t Le32(const ByteSet& b, std::size_t offset) {
  return b[offset] | b[offset + 1] << 8 | b[offset + 2] << 16 |
         static_cast<std::uint32_t>(b[offset + 3]) << 24;
}

TEST(IconDocument, AfterStartUpAnEmptyBufferGivesHeaderAndMask) {
  IconDocument doc;
  doc.SelectIconSize(48);
  const ByteSet& icon = doc.AssembleIcon();
  ASSERT_EQ(icon.size(), 446u);
  EXPECT_EQ(ByteSet(icon.begin(), icon.begin() + 62), doc.header);
  EXPECT_TRUE(std::all_of(icon.begin() + 62, icon.end(), [](auto b) { return b == 0; }));
}

TEST(IconDocument, SixteenPixelIconStartsWithItsHeader) {
  IconDocument doc;
  doc.SelectIconSize(16);
  doc.PixelBuffer = CountingBuffer(16);
  const ByteSet& icon = doc.AssembleIcon();
  ASSERT_EQ(icon.size(), 1150u);
  const ByteSet start = {0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x10, 0x10, 0x00,
                         0x00, 0x01, 0x00, 0x20, 0x00, 0x68, 0x04, 0x00, 0x00,
                         0x16, 0x00, 0x00, 0x00, 0x28, 0x00, 0x00, 0x00};
  EXPECT_EQ(ByteSet(icon.begin(), icon.begin() + 26), start);
}

TEST(IconDocument, FortyEightPixelIconIsHeaderBufferMask) {
  IconDocument doc;
  doc.SelectIconSize(48);
  doc.PixelBuffer = CountingBuffer(48);
  const ByteSet& icon = doc.AssembleIcon();
  ASSERT_EQ(icon.size(), 9662u);
  // Bytes 63 to 9278 (1-based) are the buffer, the last 384 the zero mask.
  EXPECT_EQ(ByteSet(icon.begin() + 62, icon.begin() + 9278), doc.PixelBuffer);
  EXPECT_TRUE(std::all_of(icon.end() - 384, icon.end(), [](auto b) { return b == 0; }));
}

struct HeaderCase {
  const char* name;
  int n;
  std::uint32_t bytesInResource, bitmapHeight, imageSize;
  std::size_t maskSize;
};

class IcoHeader : public testing::TestWithParam<HeaderCase> {};

// Every field of the header, for both sizes, and the lengths the fields promise.
TEST_P(IcoHeader, EveryFieldMatchesTheLayout) {
  const HeaderCase& c = GetParam();
  IconDocument doc;
  doc.SelectIconSize(c.n);
  const ByteSet& h = doc.header;
  ASSERT_EQ(h.size(), 62u);
  EXPECT_EQ(h[0] | h[1] << 8, 0);
  EXPECT_EQ(h[2] | h[3] << 8, 1);
  EXPECT_EQ(h[4] | h[5] << 8, 1);
  EXPECT_EQ(h[6], c.n);
  EXPECT_EQ(h[7], c.n);
  EXPECT_EQ(h[8], 0);
  EXPECT_EQ(h[9], 0);
  EXPECT_EQ(h[10] | h[11] << 8, 1);
  EXPECT_EQ(h[12] | h[13] << 8, 32);
  EXPECT_EQ(Le32(h, 14), c.bytesInResource);
  EXPECT_EQ(Le32(h, 18), 22u);
  EXPECT_EQ(Le32(h, 22), 40u);
  EXPECT_EQ(Le32(h, 26), static_cast<std::uint32_t>(c.n));
  EXPECT_EQ(Le32(h, 30), c.bitmapHeight);
  EXPECT_EQ(h[34] | h[35] << 8, 1);
  EXPECT_EQ(h[36] | h[37] << 8, 32);
  EXPECT_EQ(Le32(h, 38), 0u);
  EXPECT_EQ(Le32(h, 42), c.imageSize);
  for (std::size_t off = 46; off < 62; off += 4) EXPECT_EQ(Le32(h, off), 0u) << off;
  EXPECT_EQ(doc.mask.size(), c.maskSize);
  EXPECT_EQ(c.bytesInResource, 40 + CompletePixelBytes(c.n) + c.maskSize);
}

INSTANTIATE_TEST_SUITE_P(Sizes, IcoHeader,
                         testing::Values(HeaderCase{"n48", 48, 9640, 96, 9216, 384},
                                         HeaderCase{"n16", 16, 1128, 32, 1024, 64}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IconDocument, SelectingASizeLeavesBufferAndIconAlone) {
  IconDocument doc;
  doc.SelectIconSize(48);
  doc.PixelBuffer = CountingBuffer(48);
  const ByteSet icon = doc.AssembleIcon();
  doc.SelectIconSize(16);
  EXPECT_EQ(doc.PixelBuffer, CountingBuffer(48));
  EXPECT_EQ(doc.IconBytes, icon);
  EXPECT_EQ(doc.IconSize, 16);
  const ByteSet header16 = doc.header;
  doc.SelectIconSize(16);
  EXPECT_EQ(doc.header, header16);
  doc.SelectIconSize(33);  // not an icon size: nothing changes
  EXPECT_EQ(doc.IconSize, 16);
}

// A buffer made at one size and assembled after the other size was chosen keeps the header and
// mask of its own size, so the file never contradicts itself.
TEST(IconDocument, AssemblyUsesTheBlocksOfTheBuffersOwnSize) {
  IconDocument doc;
  doc.SelectIconSize(48);
  doc.PixelBuffer = CountingBuffer(48);
  doc.SelectIconSize(16);
  const ByteSet icon48 = doc.AssembleIcon();
  ASSERT_EQ(icon48.size(), 9662u);
  EXPECT_EQ(icon48[6], 48);
  EXPECT_EQ(Le32(icon48, 14), 9640u);

  doc.PixelBuffer = CountingBuffer(16);
  doc.SelectIconSize(48);
  const ByteSet icon16 = doc.AssembleIcon();
  ASSERT_EQ(icon16.size(), 1150u);
  EXPECT_EQ(icon16[6], 16);

  // Any other length cannot come from a generation: the current size's blocks, as they are.
  doc.PixelBuffer = ByteSet(8, 7);
  EXPECT_EQ(doc.AssembleIcon().size(), 62u + 8u + 384u);
}

struct CornerCase {
  const char* name;
  int x, y, n;
  std::int64_t alpha;
};

class AlphaPositions : public testing::TestWithParam<CornerCase> {};

TEST_P(AlphaPositions, AddressTheDisplayedPixel) {
  const CornerCase& c = GetParam();
  EXPECT_EQ(AlphaPosition(c.x, c.y, c.n), c.alpha);
}

INSTANTIATE_TEST_SUITE_P(Corners, AlphaPositions,
                         testing::Values(CornerCase{"top_left_48", 1, 1, 48, 9028},
                                         CornerCase{"bottom_right_48", 48, 48, 48, 192},
                                         CornerCase{"top_right_48", 48, 1, 48, 9216},
                                         CornerCase{"bottom_left_48", 1, 48, 48, 4},
                                         CornerCase{"top_left_16", 1, 1, 16, 964},
                                         CornerCase{"top_right_16", 16, 1, 16, 1024},
                                         CornerCase{"bottom_left_16", 1, 16, 16, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IconDocument, TopLeftAlphaIsTheFirstPixelOfTheLastBufferRow) {
  IconDocument doc;
  doc.SelectIconSize(48);
  doc.PixelBuffer.assign(CompletePixelBytes(48), 255);
  doc.PixelBuffer[AlphaPosition(1, 1, 48) - 1] = 0;
  EXPECT_EQ(doc.PixelBuffer[47 * 48 * 4 + 3], 0);
}

}  // namespace
}  // namespace quorvin
