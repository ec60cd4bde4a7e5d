// Hostile headers: sizes no picture box could show must be refused at once, without allocating
// what the header claims. The largest allocation made while decoding is watched through operator
// new; the libraries' own allocations are bounded by the limits they are given.
#include <gtest/gtest.h>
#include <zlib.h>

#include "tests/codecs/allocation_watch.h"
#include "tests/codecs/fixtures.h"

namespace quorvin::codecs::testing {
namespace {

constexpr std::size_t kSmallAllocation = 4 << 20;  // the fit, a row or two, the library state

void PutBig32(ByteSet& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = (v >> (24 - 8 * i)) & 0xFF;
}
void PutLittle16(ByteSet& b, std::size_t at, unsigned v) {
  b[at] = v & 0xFF;
  b[at + 1] = (v >> 8) & 0xFF;
}
void PutLittle32(ByteSet& b, std::size_t at, std::uint32_t v) {
  PutLittle16(b, at, v & 0xFFFF);
  PutLittle16(b, at + 2, v >> 16);
}

// A valid PNG whose IHDR claims width x height (with a correct CRC), keeping its small IDAT.
ByteSet PngClaiming(std::uint32_t width, std::uint32_t height) {
  PngSpec desc;
  desc.width = 4;
  desc.height = 4;
  desc.samples.assign(16, 9);
  ByteSet png = EncodePng(desc);
  PutBig32(png, 16, width);
  PutBig32(png, 20, height);
  PutBig32(png, 29, crc32(0, &png[12], 17));
  return png;
}

ByteSet GifClaiming(unsigned width, unsigned height) {
  GifSpec desc;
  desc.screenWidth = 4;
  desc.screenHeight = 4;
  desc.globalColours = {{0, 0, 0}, {255, 255, 255}};
  desc.images.push_back({0, 0, 4, 4, false, std::vector<std::uint8_t>(16, 1), {}, -1});
  ByteSet gif = EncodeGif(desc);
  PutLittle16(gif, 6, width);
  PutLittle16(gif, 8, height);
  PutLittle16(gif, 13 + 6 + 5, width);  // the image descriptor too
  PutLittle16(gif, 13 + 6 + 7, height);
  return gif;
}

ByteSet JpegClaiming(unsigned width, unsigned height, bool progressive) {
  JpegSpec desc;
  desc.width = 16;
  desc.height = 16;
  desc.progressive = progressive;
  desc.samples = Gradient(16, 16, 3);
  ByteSet jpeg = EncodeJpeg(desc);
  for (std::size_t i = 2; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
      jpeg[i + 5] = height >> 8, jpeg[i + 6] = height & 0xFF;
      jpeg[i + 7] = width >> 8, jpeg[i + 8] = width & 0xFF;
      break;
    }
  }
  return jpeg;
}

ByteSet BmpClaiming(std::int32_t width, std::int32_t height) {
  DibSpec desc;
  desc.width = 4;
  desc.height = 4;
  desc.pixels.assign(16, 0);
  ByteSet bmp = EncodeBmp(desc);
  PutLittle32(bmp, 18, width);
  PutLittle32(bmp, 22, height);
  return bmp;
}

ByteSet IcoClaiming(std::int32_t width, std::int32_t height) {
  DibSpec desc;
  desc.width = 4;
  desc.height = 4;
  desc.iconMask = true;
  desc.pixels.assign(16, 0);
  ByteSet ico = EncodeIco({{4, 4, 0, EncodeDib(desc)}});
  PutLittle32(ico, 22 + 4, width);
  PutLittle32(ico, 22 + 8, height * 2);
  return ico;
}

ByteSet PcxClaiming(unsigned width, unsigned height) {
  PcxSpec desc;
  desc.width = 4;
  desc.height = 4;
  desc.vgaPalette = std::array<Rgb, 256>{};
  desc.lines.assign(4, std::vector<std::uint8_t>(4, 1));
  ByteSet pcx = EncodePcx(desc);
  PutLittle16(pcx, 8, width - 1);
  PutLittle16(pcx, 10, height - 1);
  PutLittle16(pcx, 66, width);
  return pcx;
}

struct HostileCase {
  const char* name;
  std::function<ByteSet()> make;
};

class HostileHeaderTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileHeaderTest, IsRefusedWithoutALargeAllocation) {
  const ByteSet bytes = GetParam().make();
  for (FitSize fit : {FitSize{128, 128}, FitSize{}}) {
    ResetLargestAllocation();
    const DecodeResult r = DecodePicture(bytes, fit);
    const std::size_t largest = LargestAllocation();
    EXPECT_FALSE(r.picture) << Describe(r);
    EXPECT_NE(r.format, PictureFormat::kNone);
    EXPECT_LT(largest, kSmallAllocation);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Headers, HostileHeaderTest,
    ::testing::Values(
        HostileCase{"Png100000Square", [] { return PngClaiming(100000, 100000); }},
        HostileCase{"PngWidestPossible", [] { return PngClaiming(0x7FFFFFFF, 1); }},
        HostileCase{"PngZeroHeight", [] { return PngClaiming(100, 0); }},
        HostileCase{"Gif65535Square", [] { return GifClaiming(65535, 65535); }},
        HostileCase{"Jpeg65500Square", [] { return JpegClaiming(65500, 65500, false); }},
        // Within the pixel limit, but a progressive file keeps every coefficient: 1.5 GB here,
        // more than libjpeg is allowed to take.
        HostileCase{"ProgressiveJpeg16000Square", [] { return JpegClaiming(16000, 16000, true); }},
        HostileCase{"Bmp3000000x2000000", [] { return BmpClaiming(3000000, 2000000); }},
        HostileCase{"BmpTallestPossible", [] { return BmpClaiming(6, 0x7FFFFFFF); }},
        HostileCase{"BmpWidestPossible", [] { return BmpClaiming(0x7FFFFFFF, 6); }},
        HostileCase{"BmpClaimsMoreRowsThanItHas", [] { return BmpClaiming(4000, 4000); }},
        HostileCase{"IcoEntry65535Square", [] { return IcoClaiming(65535, 65535); }},
        HostileCase{"Pcx65535Square", [] { return PcxClaiming(65535, 65535); }}),
    [](const auto& info) { return std::string(info.param.name); });

// A large picture that is all there is decodes reduced to the fit, holding no more than that.
TEST(Reduction, PeakAllocationDoesNotGrowWithThePicture) {
  PngSpec desc;
  desc.width = 3000;
  desc.height = 2000;
  desc.colourType = 2;  // RGB
  desc.samples.assign(std::size_t{3000} * 2000 * 3, 0);
  for (std::size_t i = 0; i < desc.samples.size(); ++i) desc.samples[i] = (i * 7) % 251;
  const ByteSet png = EncodePng(desc);
  ResetLargestAllocation();
  const DecodeResult r = DecodePicture(png, {128, 128});
  const std::size_t largest = LargestAllocation();
  ASSERT_TRUE(r.picture) << Describe(r);
  EXPECT_EQ(r.picture->width, 128);
  EXPECT_LE(largest, std::size_t{128} * 128 * 4);  // the result itself; rows are smaller
}

}  // namespace
}  // namespace quorvin::codecs::testing
