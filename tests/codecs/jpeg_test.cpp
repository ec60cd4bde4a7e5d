// JPEG: colour spaces, progressive files, truncation, and reduction through DCT scaling.
#include <gtest/gtest.h>

#include "tests/codecs/fixtures.h"

namespace quorvin::codecs::testing {
namespace {

// The source samples as BGRA (grey repeated, RGB reordered).
Expected FromSamples(const JpegSpec& desc) {
  Expected e = Expected::Filled(desc.width, desc.height, {0, 0, 0, 255});
  for (int i = 0; i < desc.width * desc.height; ++i) {
    const std::uint8_t* s = &desc.samples[static_cast<std::size_t>(i) * desc.components];
    std::uint8_t* d = &e.bgra[static_cast<std::size_t>(i) * 4];
    d[0] = s[desc.components == 1 ? 0 : 2];
    d[1] = s[desc.components == 1 ? 0 : 1];
    d[2] = s[0];
  }
  return e;
}

JpegSpec Photo(int width, int height, int components = 3) {
  JpegSpec desc;
  desc.width = width;
  desc.height = height;
  desc.components = components;
  desc.samples = Gradient(width, height, components);
  return desc;
}

TEST(Jpeg, ColourAndGreyDecodeCloseToTheSourceAndOpaque) {
  for (int components : {3, 1}) {
    for (bool progressive : {false, true}) {
      JpegSpec desc = Photo(61, 45, components);
      desc.progressive = progressive;
      const DecodeResult r = DecodePicture(EncodeJpeg(desc));
      EXPECT_EQ(r.format, PictureFormat::kJpeg);
      ASSERT_TRUE(r.picture) << Describe(r);
      EXPECT_EQ(r.picture->alpha, AlphaMeaning::kOpaque);
      const int diff = MaxDifference(r.picture, FromSamples(desc));
      EXPECT_GE(diff, 0);
      EXPECT_LE(diff, 12) << components << " components, progressive " << progressive;
    }
  }
}

// Four flat patches of ink: cyan, magenta, yellow, half black.
JpegSpec InkPatches(bool ycck) {
  const std::uint8_t inks[4][4] = {{255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}, {0, 0, 0, 128}};
  JpegSpec desc;
  desc.width = 64;
  desc.height = 16;
  desc.components = 4;
  desc.ycck = ycck;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 64; ++x) {
      // Stored inverted, as Adobe applications write CMYK (libjpeg marks it with an Adobe segment).
      for (int c = 0; c < 4; ++c) desc.samples.push_back(255 - inks[x / 16][c]);
    }
  }
  return desc;
}

TEST(Jpeg, AdobeCmykAndYcckBecomeTheRightColours) {
  const std::uint8_t expectedBgr[4][3] = {
      {255, 255, 0}, {255, 0, 255}, {0, 255, 255}, {127, 127, 127}};
  for (bool ycck : {false, true}) {
    const DecodeResult r = DecodePicture(EncodeJpeg(InkPatches(ycck)));
    ASSERT_TRUE(r.picture) << Describe(r);
    for (int patch = 0; patch < 4; ++patch) {
      const std::uint8_t* p = &r.picture->bgra[(8 * 64 + patch * 16 + 8) * 4];
      for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(p[c], expectedBgr[patch][c], 6) << "ycck " << ycck << " patch " << patch;
      }
      EXPECT_EQ(p[3], 255);
    }
  }
}

TEST(Jpeg, TruncatedFileShowsWhatWasDecoded) {
  const JpegSpec desc = Photo(64, 64);
  ByteSet jpeg = EncodeJpeg(desc);
  jpeg.resize(jpeg.size() * 6 / 10);
  const DecodeResult r = DecodePicture(jpeg);
  ASSERT_TRUE(r.picture) << Describe(r);
  ASSERT_EQ(r.picture->width, 64);
  ASSERT_EQ(r.picture->height, 64);
  const Expected source = FromSamples(desc);
  for (std::size_t i = 0; i < 64 * 4 * 8; ++i) {  // the first 8 rows are intact
    EXPECT_NEAR(r.picture->bgra[i], source.bgra[i], 12) << i;
  }
}

TEST(Jpeg, BrokenStreamsShowNoPicture) {
  const ByteSet good = EncodeJpeg(Photo(16, 16));
  ByteSet headerOnly(good.begin(), good.begin() + 20);
  ByteSet twelveBit = good;  // a precision this libjpeg does not decode
  for (std::size_t i = 2; i + 4 < twelveBit.size(); ++i) {
    if (twelveBit[i] == 0xFF && twelveBit[i + 1] == 0xC0) {
      twelveBit[i + 4] = 12;
      break;
    }
  }
  for (const ByteSet& bytes : {EncodeJpegTablesOnly(), headerOnly, twelveBit}) {
    const DecodeResult r = DecodePicture(bytes);
    EXPECT_EQ(r.format, PictureFormat::kJpeg);
    EXPECT_FALSE(r.picture) << Describe(r);
    EXPECT_FALSE(r.reason.empty());
  }
}

TEST(Jpeg, LargePictureIsReducedToTheFit) {
  // 1024 x 512 to 128 x 64 is exactly 8 x 8 blocks: each output is its block's mean.
  const JpegSpec desc = Photo(1024, 512);
  const DecodeResult r = DecodePicture(EncodeJpeg(desc), {128, 64});
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(r.picture->sourceWidth, 1024);
  EXPECT_EQ(r.picture->sourceHeight, 512);
  Expected means = Expected::Filled(128, 64, {0, 0, 0, 255});
  const Expected source = FromSamples(desc);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 128; ++x) {
      for (int c = 0; c < 3; ++c) {
        int sum = 0;
        for (int dy = 0; dy < 8; ++dy) {
          for (int dx = 0; dx < 8; ++dx) {
            sum += source.bgra[((y * 8 + dy) * 1024 + x * 8 + dx) * 4 + c];
          }
        }
        means.At(x, y)[c] = static_cast<std::uint8_t>((sum + 32) / 64);
      }
    }
  }
  const int diff = MaxDifference(r.picture, means);
  EXPECT_GE(diff, 0);
  EXPECT_LE(diff, 6);
}

TEST(Jpeg, EachSideIsReducedOnlyWhenLargerThanTheFit) {
  const struct {
    int width, height;
    FitSize fit;
    int expectedWidth, expectedHeight;
  } cases[] = {{1000, 100, {128, 128}, 128, 100},
               {100, 40, {128, 128}, 100, 40},
               {333, 250, {238, 238}, 238, 238},
               {20, 700, {48, 48}, 20, 48}};
  for (const auto& c : cases) {
    const DecodeResult r = DecodePicture(EncodeJpeg(Photo(c.width, c.height)), c.fit);
    ASSERT_TRUE(r.picture) << Describe(r);
    EXPECT_EQ(r.picture->width, c.expectedWidth) << c.width << "x" << c.height;
    EXPECT_EQ(r.picture->height, c.expectedHeight) << c.width << "x" << c.height;
  }
}

TEST(Jpeg, PictureSmallerThanOneBlockIsExact) {
  // A 2 x 2 picture at its own size: a scaled IDCT would also give 2 x 2, but other pixels.
  JpegSpec desc;
  desc.width = 2;
  desc.height = 2;
  desc.samples = {250, 10, 10, 10, 250, 10, 10, 10, 250, 250, 250, 10};
  desc.quality = 100;
  const DecodeResult fitted = DecodePicture(EncodeJpeg(desc), {128, 128});
  const DecodeResult full = DecodePicture(EncodeJpeg(desc));
  ASSERT_TRUE(fitted.picture && full.picture);
  EXPECT_EQ(fitted.picture->bgra, full.picture->bgra);
}

}  // namespace
}  // namespace quorvin::codecs::testing
