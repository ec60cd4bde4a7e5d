// GIF: the first image on its logical screen, drawn opaque, and what is refused.
#include <gtest/gtest.h>

#include "tests/codecs/fixtures.h"

namespace quorvin::codecs::testing {
namespace {

const std::vector<Rgb> kColours = {{0, 0, 0},     {255, 0, 0},   {0, 255, 0},   {0, 0, 255},
                                   {255, 255, 0}, {0, 255, 255}, {255, 0, 255}, {90, 90, 90}};

GifImage Pattern(int width, int height, int colours = 8) {
  GifImage image;
  image.width = width;
  image.height = height;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) image.indices.push_back((x + 3 * y) % colours);
  }
  return image;
}

// The picture the image's indices give through `colours`, at (left, top) of a screen filled
// with `background`.
Expected Draw(const GifImage& image, const std::vector<Rgb>& colours, int screenWidth,
              int screenHeight, Rgb background) {
  Expected e = Expected::Filled(screenWidth, screenHeight,
                                {background[2], background[1], background[0], 255});
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      if (image.left + x >= screenWidth || image.top + y >= screenHeight) continue;
      const Rgb& c = colours[image.indices[y * image.width + x]];
      std::uint8_t* p = e.At(image.left + x, image.top + y);
      p[0] = c[2], p[1] = c[1], p[2] = c[0];
    }
  }
  return e;
}

GifSpec OneImage(const GifImage& image) {
  GifSpec desc;
  desc.screenWidth = image.left + image.width;
  desc.screenHeight = image.top + image.height;
  desc.globalColours = kColours;
  desc.images = {image};
  return desc;
}

TEST(Gif, FirstImageDecodesExactlyAndOpaque) {
  for (bool interlaced : {false, true}) {
    GifImage image = Pattern(7, 11);  // 11 rows: every interlace pass has rows
    image.interlaced = interlaced;
    GifSpec desc = OneImage(image);
    GifImage second = Pattern(7, 11);
    second.indices.assign(77, 7);
    desc.images.push_back(second);
    const DecodeResult r = DecodePicture(EncodeGif(desc));
    EXPECT_EQ(r.format, PictureFormat::kGif);
    ASSERT_TRUE(r.picture) << Describe(r);
    EXPECT_EQ(r.picture->alpha, AlphaMeaning::kOpaque);
    EXPECT_EQ(MaxDifference(r.picture, Draw(image, kColours, 7, 11, kColours[0])), 0)
        << "interlaced " << interlaced;
  }
}

TEST(Gif, LocalColourTableReplacesTheGlobalOne) {
  GifImage image = Pattern(4, 4, 4);
  image.localColours = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
  const DecodeResult r = DecodePicture(EncodeGif(OneImage(image)));
  EXPECT_EQ(MaxDifference(r.picture, Draw(image, image.localColours, 4, 4, {})), 0) << Describe(r);
}

TEST(Gif, ScreenAroundTheImageShowsTheBackgroundColour) {
  GifImage image = Pattern(3, 2);
  image.left = 2;
  image.top = 1;
  GifSpec desc = OneImage(image);
  desc.screenWidth = 6;
  desc.screenHeight = 5;
  desc.background = 4;
  const DecodeResult r = DecodePicture(EncodeGif(desc));
  EXPECT_EQ(MaxDifference(r.picture, Draw(image, kColours, 6, 5, kColours[4])), 0) << Describe(r);
}

TEST(Gif, ImageReachingPastTheScreenIsClipped) {
  GifImage image = Pattern(5, 5);
  image.left = 2;
  image.top = 2;
  GifSpec desc = OneImage(image);
  desc.screenWidth = 4;
  desc.screenHeight = 3;
  const DecodeResult r = DecodePicture(EncodeGif(desc));
  EXPECT_EQ(MaxDifference(r.picture, Draw(image, kColours, 4, 3, kColours[0])), 0) << Describe(r);
}

TEST(Gif, TransparentIndexShowsItsOwnColour) {
  GifImage image = Pattern(4, 2);
  image.transparentIndex = 1;
  const DecodeResult r = DecodePicture(EncodeGif(OneImage(image)));
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(r.picture->alpha, AlphaMeaning::kOpaque);
  EXPECT_EQ(MaxDifference(r.picture, Draw(image, kColours, 4, 2, kColours[0])), 0);
}

TEST(Gif, LargePictureIsAveragedDownToTheFit) {
  // Columns alternate black and red: each pair averages to half red.
  GifImage image;
  image.width = 200;
  image.height = 100;
  for (int i = 0; i < 200 * 100; ++i) image.indices.push_back(i % 2);
  const DecodeResult r = DecodePicture(EncodeGif(OneImage(image)), {100, 50});
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(r.picture->sourceWidth, 200);
  EXPECT_EQ(MaxDifference(r.picture, Expected::Filled(100, 50, {0, 0, 128, 255})), 0);
}

TEST(Gif, TruncatedDataKeepsTheRowsDecoded) {
  GifImage image;
  image.width = 64;
  image.height = 64;
  std::uint32_t seed = 12345;  // noise, so that the data does not compress to a few bytes
  for (int i = 0; i < 64 * 64; ++i) {
    seed = seed * 1103515245 + 12345;
    image.indices.push_back((seed >> 16) % 8);
  }
  ByteSet gif = EncodeGif(OneImage(image));
  gif.resize(gif.size() / 2);
  const DecodeResult r = DecodePicture(gif);
  ASSERT_TRUE(r.picture) << Describe(r);
  const Expected full = Draw(image, kColours, 64, 64, kColours[0]);
  EXPECT_TRUE(std::equal(full.bgra.begin(), full.bgra.begin() + 64 * 4, r.picture->bgra.begin()));
}

TEST(Gif, BrokenFilesShowNoPicture) {
  // 1 x 1 with a two-colour table whose one pixel is index 2 (codes: clear, 2, end).
  const ByteSet outside = {'G', 'I', 'F', '8', '9', 'a', 1,   0,    1,    0, 0xF0, 0,
                           0,   0,   0,   0,   255, 255, 255, 0x2C, 0,    0, 0,    0,
                           1,   0,   1,   0,   0,   3,   2,   0x28, 0x09, 0, 0x3B};
  GifImage image = Pattern(4, 4);
  GifSpec noTable = OneImage(image);
  noTable.globalColours.clear();
  GifSpec noImage = OneImage(image);
  noImage.images.clear();
  ByteSet headerOnly = EncodeGif(OneImage(image));
  headerOnly.resize(10);
  ByteSet badCode = EncodeGif(OneImage(image));
  // The image data starts after the 13-byte header, the 24-byte table and the 10-byte descriptor
  // with its code size byte; a first code of all ones is no code at all.
  badCode[13 + 24 + 10 + 2] = 0xFF;
  badCode[13 + 24 + 10 + 3] = 0xFF;
  for (const ByteSet& gif :
       {outside, EncodeGif(noTable), EncodeGif(noImage), headerOnly, badCode}) {
    const DecodeResult r = DecodePicture(gif);
    EXPECT_EQ(r.format, PictureFormat::kGif);
    EXPECT_FALSE(r.picture) << Describe(r);
    EXPECT_FALSE(r.reason.empty());
  }
}

}  // namespace
}  // namespace quorvin::codecs::testing
