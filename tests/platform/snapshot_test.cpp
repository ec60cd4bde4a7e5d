#include "platform/snapshot.h"

#include <gtest/gtest.h>

#include "platform/controls/label.h"
#include "platform/controls/pic_box.h"
#include "tests/platform/picture_bytes.h"

namespace quorvin::platform {
namespace {

std::uint32_t U32(const ByteSet& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
         (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint32_t U16(const ByteSet& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8);
}

// Every header field of a 24-bit bottom-up BMP of n x n without row padding.
void ExpectSnapshotHeader(const ByteSet& bmp, int n) {
  const std::uint32_t data = 3u * n * n;
  ASSERT_EQ(bmp.size(), 54u + data);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(U32(bmp, 2), 54u + data);
  EXPECT_EQ(U16(bmp, 6), 0u);
  EXPECT_EQ(U16(bmp, 8), 0u);
  EXPECT_EQ(U32(bmp, 10), 54u);
  EXPECT_EQ(U32(bmp, 14), 40u);
  EXPECT_EQ(U32(bmp, 18), static_cast<std::uint32_t>(n));
  EXPECT_EQ(U32(bmp, 22), static_cast<std::uint32_t>(n));
  EXPECT_EQ(U16(bmp, 26), 1u);
  EXPECT_EQ(U16(bmp, 28), 24u);
  EXPECT_EQ(U32(bmp, 30), 0u);
  EXPECT_EQ(U32(bmp, 34), data);
  for (std::size_t i = 38; i < 54; ++i) EXPECT_EQ(bmp[i], 0) << i;
}

class SnapshotOfSourceBox : public testing::TestWithParam<int> {};

// The source box as the main window has it: 128 x 128, no border, a picture whose top-right
// quarter is one colour and bottom-left quarter another.
TEST_P(SnapshotOfSourceBox, IsA24BitBottomUpBmpOfNxN) {
  const int n = GetParam();
  PicBox box(ControlSpec{.kind = ControlKind::kPicBox});
  box.resize(128, 128);
  box.SetPicture(test::Bmp24(64, 64, [](int x, int y) {
    if (x >= 32 && y < 32) return qRgb(200, 100, 50);  // top right
    if (x < 32 && y >= 32) return qRgb(10, 20, 30);    // bottom left
    return qRgb(255, 255, 255);
  }));
  const ByteSet bmp = TakeSnapshot(box, n, n);
  ExpectSnapshotHeader(bmp, n);
  // The last three bytes are the blue, green and red of the top-right pixel; the first three
  // those of the bottom-left pixel.
  const std::size_t last = bmp.size() - 3;
  EXPECT_EQ(bmp[last], 50);
  EXPECT_EQ(bmp[last + 1], 100);
  EXPECT_EQ(bmp[last + 2], 200);
  EXPECT_EQ(bmp[54], 30);
  EXPECT_EQ(bmp[55], 20);
  EXPECT_EQ(bmp[56], 10);
}

INSTANTIATE_TEST_SUITE_P(IconSizes, SnapshotOfSourceBox, testing::Values(48, 16),
                         [](const auto& info) { return "n" + std::to_string(info.param); });

TEST(SnapshotTest, Has6966And822BytesForTheTwoIconSizes) {
  Label label(ControlSpec{.kind = ControlKind::kLabel, .background = 0x00FFFFFF});
  label.resize(128, 128);
  EXPECT_EQ(TakeSnapshot(label, 48, 48).size(), 6966u);
  EXPECT_EQ(TakeSnapshot(label, 16, 16).size(), 822u);
}

TEST(SnapshotTest, TakesTheWholeOuterRectangleBorderIncluded) {
  Label label(ControlSpec{
      .kind = ControlKind::kLabel, .background = 0x00FFFFFF, .border = Border::kSingle});
  label.resize(16, 16);
  const ByteSet bmp = TakeSnapshot(label, 16, 16);
  ASSERT_EQ(bmp.size(), 822u);
  const QColor line = label.palette().color(QPalette::WindowText);
  EXPECT_EQ(bmp[54], line.blue());   // bottom-left pixel: the border
  EXPECT_EQ(bmp[54 + 3 * 17], 255);  // one row up, one pixel in: the white inside
}

TEST(SnapshotTest, FailsEmptyForSizesOutOfRange) {
  Label label(ControlSpec{.kind = ControlKind::kLabel});
  label.resize(10, 10);
  EXPECT_TRUE(TakeSnapshot(label, 0, 48).empty());
  EXPECT_TRUE(TakeSnapshot(label, 48, -1).empty());
  EXPECT_TRUE(TakeSnapshot(label, kMaxSnapshotSide + 1, 1).empty());
}

TEST(SnapshotTest, RowsArePaddedToFourBytes) {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(qRgb(1, 2, 3));
  image.setPixel(2, 0, qRgb(7, 8, 9));  // top right
  const ByteSet bmp = EncodeBmp24(image);
  ASSERT_EQ(bmp.size(), 54u + 2 * 12);
  EXPECT_EQ(U32(bmp, 34), 24u);
  // Row 2 in the file is the top row; its third pixel starts at 54 + 12 + 6, then padding.
  EXPECT_EQ(bmp[54 + 12 + 6], 9);
  EXPECT_EQ(bmp[54 + 12 + 8], 7);
  EXPECT_EQ(bmp[54 + 12 + 9], 0);
}

}  // namespace
}  // namespace quorvin::platform
