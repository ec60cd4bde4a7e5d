#include <gtest/gtest.h>

#include "core/icon_document.h"
#include "tests/core/snapshot_fixture.h"

namespace quorvin {
namespace {

using test::Bgr;
using test::MakeSnapshot;

// One pixel against a fixed key, to show where the tolerance box ends.
struct PixelCase {
  const char* name;
  KeyColour key;
  int tolerance;
  Bgr pixel;
  std::uint8_t alpha;
};

class ToleranceBox : public testing::TestWithParam<PixelCase> {};

TEST_P(ToleranceBox, DecidesPerChannelWithInclusiveBounds) {
  const PixelCase& c = GetParam();
  IconDocument doc;
  doc.keyColour = c.key;
  doc.Tolerance = c.tolerance;
  doc.Snapshot = MakeSnapshot(16, [&](int, int) { return c.pixel; });
  doc.RemoveBackground(false);
  ASSERT_EQ(doc.PixelBuffer.size(), 1024u);
  for (std::size_t i = 0; i < doc.PixelBuffer.size(); i += 4) {
    ASSERT_EQ(doc.PixelBuffer[i], c.pixel.b);
    ASSERT_EQ(doc.PixelBuffer[i + 1], c.pixel.g);
    ASSERT_EQ(doc.PixelBuffer[i + 2], c.pixel.r);
    ASSERT_EQ(doc.PixelBuffer[i + 3], c.alpha);
  }
}

constexpr KeyColour kKey{10, 20, 30};  // blue 10, green 20, red 30

INSTANTIATE_TEST_SUITE_P(
    Pixels, ToleranceBox,
    testing::Values(PixelCase{"one_off_in_one_channel", kKey, 1, {11, 19, 30}, 0},
                    PixelCase{"two_off_in_blue", kKey, 1, {12, 20, 30}, 255},
                    PixelCase{"exactly_t_in_every_channel", kKey, 1, {11, 21, 31}, 0},
                    PixelCase{"exactly_minus_t", kKey, 5, {5, 15, 25}, 0},
                    PixelCase{"one_past_t_in_red_only", kKey, 5, {10, 20, 36}, 255},
                    PixelCase{"tolerance_zero_keeps_the_key_itself", kKey, 0, {10, 20, 30}, 255},
                    PixelCase{"black_key_35_dark_pixel", {0, 0, 0}, 35, {35, 35, 35}, 0},
                    PixelCase{"black_key_35_just_too_bright", {0, 0, 0}, 35, {35, 36, 35}, 255},
                    PixelCase{
                        "full_tolerance_takes_everything", {0, 0, 0}, 255, {255, 255, 255}, 0},
                    PixelCase{"red_key_takes_red", {0, 0, 255}, 35, {0, 0, 255}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A picture with a distinct top-right pixel, a row of the same colour elsewhere and other pixels.
ByteSet CornerPicture(int n) {
  return MakeSnapshot(n, [n](int x, int y) -> Bgr {
    if (y == 0 && x == n - 1) return {200, 100, 50};  // top-right
    if (y == n - 1) return {200, 100, 50};            // bottom row, same colour
    return {static_cast<std::uint8_t>(x * 3), static_cast<std::uint8_t>(y * 3), 0};
  });
}

TEST(RemoveBackground, KeyFromTheCornerIsTheTopRightPixelAndStays) {
  for (int n : {48, 16}) {
    IconDocument doc;
    doc.Tolerance = 1;
    doc.Snapshot = CornerPicture(n);
    ASSERT_EQ(doc.Snapshot.size(), 54u + 3u * n * n);
    doc.RemoveBackground(true);
    EXPECT_EQ(doc.keyColour, (KeyColour{200, 100, 50}));
    ASSERT_EQ(doc.PixelBuffer.size(), static_cast<std::size_t>(4 * n * n));
    EXPECT_EQ(doc.PixelBuffer[AlphaPosition(n, 1, n) - 1], 0) << "the corner itself";
    EXPECT_EQ(doc.PixelBuffer[AlphaPosition(1, n, n) - 1], 0) << "the bottom row";
    EXPECT_EQ(doc.PixelBuffer[AlphaPosition(2, 2, n) - 1], 255);
    // A transparent pixel keeps its colour bytes.
    const auto corner = AlphaPosition(n, 1, n);
    EXPECT_EQ(doc.PixelBuffer[corner - 2], 50);
    EXPECT_EQ(doc.PixelBuffer[corner - 3], 100);
    EXPECT_EQ(doc.PixelBuffer[corner - 4], 200);

    // Without the corner flag the key stays whatever it was last.
    doc.Snapshot = MakeSnapshot(n, [](int, int) { return Bgr{1, 1, 1}; });
    doc.RemoveBackground(false);
    EXPECT_EQ(doc.keyColour, (KeyColour{200, 100, 50}));
    EXPECT_EQ(doc.PixelBuffer[3], 255);
  }
}

TEST(RemoveBackground, PickedColourBecomesTheKey) {
  IconDocument doc;
  doc.SetKeyColour(0x000000FF);  // pure red
  EXPECT_EQ(doc.keyColour, (KeyColour{0, 0, 255}));
  doc.SetKeyColour(0x00FF8800);  // red 0, green 136, blue 255
  EXPECT_EQ(doc.keyColour, (KeyColour{255, 136, 0}));
  doc.SetTolerance(0);
  EXPECT_EQ(doc.Tolerance, 0);
}

TEST(RemoveBackground, ShortSnapshotsGiveNoPixelsAndKeepTheKey) {
  for (std::size_t length : {0u, 3u, 54u, 56u}) {
    IconDocument doc;
    doc.keyColour = {1, 2, 3};
    doc.PixelBuffer = ByteSet(16, 9);
    doc.Snapshot = ByteSet(length, 0xAB);
    doc.RemoveBackground(true);
    EXPECT_TRUE(doc.PixelBuffer.empty()) << length;
    EXPECT_EQ(doc.keyColour, (KeyColour{1, 2, 3})) << length;
  }
  // One whole pixel after the header is a pixel, and a corner.
  IconDocument doc;
  doc.Tolerance = 1;
  doc.Snapshot = ByteSet(54, 0);
  doc.Snapshot.insert(doc.Snapshot.end(), {7, 8, 9, 1});  // a trailing partial pixel is ignored
  doc.RemoveBackground(true);
  EXPECT_EQ(doc.keyColour, (KeyColour{8, 9, 1}));
  EXPECT_EQ(doc.PixelBuffer, (ByteSet{7, 8, 9, 255}));
}

TEST(RemoveBackground, NeverWritesAnotherAlpha) {
  IconDocument doc;
  doc.Tolerance = 40;
  doc.Snapshot = MakeSnapshot(48, [](int x, int y) {
    return Bgr{static_cast<std::uint8_t>(x * 5), static_cast<std::uint8_t>(y * 5),
               static_cast<std::uint8_t>((x + y) * 2)};
  });
  doc.RemoveBackground(true);
  ASSERT_EQ(doc.PixelBuffer.size(), 9216u);
  int transparent = 0;
  for (std::size_t i = 3; i < doc.PixelBuffer.size(); i += 4) {
    ASSERT_TRUE(doc.PixelBuffer[i] == 0 || doc.PixelBuffer[i] == 255);
    transparent += doc.PixelBuffer[i] == 0;
  }
  EXPECT_GT(transparent, 0);
  EXPECT_LT(transparent, 48 * 48);
}

}  // namespace
}  // namespace quorvin
