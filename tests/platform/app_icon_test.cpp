#include "platform/app_icon.h"

#include <gtest/gtest.h>

#include <QIcon>
#include <utility>
#include <vector>

namespace quorvin::platform {
namespace {

TEST(AppIconTest, IsAnIcoWithTheEightImages) {
  const std::span<const std::uint8_t> ico = AppIconBytes();
  ASSERT_GE(ico.size(), 6u + 8 * 16);
  EXPECT_EQ(ico[0] | ico[1] << 8, 0);
  EXPECT_EQ(ico[2] | ico[3] << 8, 1);  // an icon, not a cursor
  ASSERT_EQ(ico[4] | ico[5] << 8, 8);
  std::vector<std::pair<int, int>> images;  // size, bits per pixel
  for (int i = 0; i < 8; ++i) {
    const std::uint8_t* entry = ico.data() + 6 + 16 * i;
    const int size = entry[0] == 0 ? 256 : entry[0];
    EXPECT_EQ(entry[1], entry[0]);
    images.emplace_back(size, entry[6] | entry[7] << 8);
    const std::uint32_t bytes = entry[8] | entry[9] << 8 | entry[10] << 16 | entry[11] << 24;
    const std::uint32_t offset = entry[12] | entry[13] << 8 | entry[14] << 16 | entry[15] << 24;
    EXPECT_LE(std::uint64_t{offset} + bytes, ico.size());
  }
  EXPECT_EQ(images,
            (std::vector<std::pair<int, int>>{
                {48, 8}, {32, 8}, {16, 8}, {256, 32}, {128, 32}, {48, 32}, {32, 32}, {16, 32}}));
}

TEST(AppIconTest, LoadsEverySizeForTheWindows) {
  const QIcon icon = AppIcon();
  ASSERT_FALSE(icon.isNull());
  const QList<QSize> sizes = icon.availableSizes();
  for (int side : {16, 32, 48, 128, 256}) EXPECT_TRUE(sizes.contains(QSize(side, side))) << side;
}

}  // namespace
}  // namespace quorvin::platform
