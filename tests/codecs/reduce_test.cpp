// The reduction contract and the area-averaging row reducer behind it.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/codecs/picture_sink.h"

namespace quorvin::codecs {
namespace {

struct ReducedSizeCase {
  const char* name;
  int width, height;
  FitSize fit;
  PixelSize expected;
};

class ReducedSizeTest : public ::testing::TestWithParam<ReducedSizeCase> {};

TEST_P(ReducedSizeTest, EachSideAboveTheFitBecomesTheFit) {
  const auto& c = GetParam();
  EXPECT_EQ(ReducedSize(c.width, c.height, c.fit), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReducedSizeTest,
    ::testing::Values(ReducedSizeCase{"Smaller", 100, 40, {128, 128}, {100, 40}},
                      ReducedSizeCase{"Equal", 128, 128, {128, 128}, {128, 128}},
                      ReducedSizeCase{"Larger", 4000, 3000, {128, 128}, {128, 128}},
                      ReducedSizeCase{"OnlyWidthLarger", 1000, 100, {128, 128}, {128, 100}},
                      ReducedSizeCase{"OnlyHeightLarger", 20, 500, {238, 238}, {20, 238}},
                      ReducedSizeCase{"NonSquareFit", 500, 500, {48, 16}, {48, 16}},
                      ReducedSizeCase{"ZeroFitMeansFullSize", 5000, 5000, {0, 0}, {5000, 5000}},
                      ReducedSizeCase{
                          "HalfZeroFitMeansFullSize", 5000, 5000, {0, 10}, {5000, 5000}}),
    [](const auto& info) { return std::string(info.param.name); });

// One grey row (B = G = R) per entry of `rows`.
Picture Reduce(const std::vector<std::vector<int>>& rows, PixelSize out, RowOrder order,
               bool reversed = false) {
  const PixelSize source{static_cast<int>(rows[0].size()), static_cast<int>(rows.size())};
  auto sink = PictureSink::Create(source, out, AlphaMeaning::kOpaque, order);
  EXPECT_TRUE(sink);
  for (int i = 0; i < source.height; ++i) {
    const int y = reversed ? source.height - 1 - i : i;
    std::uint8_t* row = sink->Row(y);
    for (int x = 0; x < source.width; ++x) {
      row[x * 4] = row[x * 4 + 1] = row[x * 4 + 2] = static_cast<std::uint8_t>(rows[y][x]);
      row[x * 4 + 3] = 7;  // ignored: the picture is opaque
    }
    sink->Commit(y);
  }
  return sink->Finish(source);
}

std::vector<int> Greys(const Picture& p) {
  std::vector<int> out;
  for (std::size_t i = 0; i < p.bgra.size(); i += 4) {
    EXPECT_EQ(p.bgra[i], p.bgra[i + 2]);
    EXPECT_EQ(p.bgra[i + 3], 255);
    out.push_back(p.bgra[i]);
  }
  return out;
}

TEST(RowReducer, AveragesByTheAreaEachSourcePixelCovers) {
  // 3 -> 2: the middle pixel is split in half between the two outputs.
  EXPECT_EQ(Greys(Reduce({{0, 90, 180}}, {2, 1}, RowOrder::kTopDown)), (std::vector<int>{30, 150}));
  // 3 rows -> 2 rows, the same weights vertically.
  EXPECT_EQ(Greys(Reduce({{0}, {90}, {180}}, {1, 2}, RowOrder::kTopDown)),
            (std::vector<int>{30, 150}));
  // 4x4 -> 2x2: plain 2x2 block means.
  EXPECT_EQ(
      Greys(Reduce({{0, 100, 200, 200}, {100, 200, 0, 0}, {10, 10, 250, 250}, {10, 10, 250, 250}},
                   {2, 2}, RowOrder::kTopDown)),
      (std::vector<int>{100, 100, 10, 250}));
}

TEST(RowReducer, FullSizeIsExactAndOpaque) {
  const Picture p = Reduce({{1, 2, 3}, {4, 5, 6}}, {3, 2}, RowOrder::kTopDown);
  EXPECT_EQ(Greys(p), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(p.alpha, AlphaMeaning::kOpaque);
}

TEST(RowReducer, RowsInAnyOrderGiveTheSameResultAsTopDown) {
  std::vector<std::vector<int>> rows;
  for (int y = 0; y < 37; ++y) {
    rows.emplace_back();
    for (int x = 0; x < 23; ++x) rows.back().push_back((x * 11 + y * 7) % 256);
  }
  const auto topDown = Greys(Reduce(rows, {5, 9}, RowOrder::kTopDown));
  const auto anyOrder = Greys(Reduce(rows, {5, 9}, RowOrder::kAnyOrder, /*reversed=*/true));
  ASSERT_EQ(topDown.size(), anyOrder.size());
  for (std::size_t i = 0; i < topDown.size(); ++i) EXPECT_NEAR(topDown[i], anyOrder[i], 1) << i;
}

TEST(RowReducer, SparseRowsAddUpToTheDenseRow) {
  // Columns 0, 2, 4 in one call and 1, 3 in another, as interlaced passes deliver them.
  const std::vector<int> row = {10, 20, 30, 40, 200};
  for (PixelSize out : {PixelSize{5, 1}, PixelSize{2, 1}}) {
    auto sink = PictureSink::Create({5, 1}, out, AlphaMeaning::kOpaque, RowOrder::kAnyOrder);
    ASSERT_TRUE(sink);
    for (int start : {0, 1}) {
      std::vector<std::uint8_t> pixels;
      for (int x = start; x < 5; x += 2) pixels.insert(pixels.end(), 4, row[x]);
      sink->CommitSparse(0, start, 2, static_cast<int>(pixels.size() / 4), pixels.data());
    }
    const auto sparse = Greys(sink->Finish({5, 1}));
    EXPECT_EQ(sparse, Greys(Reduce({row}, out, RowOrder::kTopDown)));
  }
}

TEST(RowReducer, TransparentPixelsDoNotLendTheirColour) {
  auto sink = PictureSink::Create({2, 1}, {1, 1}, AlphaMeaning::kBlend, RowOrder::kTopDown);
  ASSERT_TRUE(sink);
  const std::uint8_t pixels[8] = {0, 0, 255, 255, /* transparent green: */ 0, 255, 0, 0};
  std::memcpy(sink->Row(0), pixels, 8);
  sink->Commit(0);
  const Picture p = sink->Finish({2, 1});
  EXPECT_EQ(p.alpha, AlphaMeaning::kBlend);
  EXPECT_EQ(p.bgra, (std::vector<std::uint8_t>{0, 0, 255, 128}));
}

TEST(RowReducer, EveryPixelLayoutGivesTheSameBgra) {
  // 5 x 2 pixels with distinct channels and alpha, reduced to 2 x 1 and kept at full size.
  std::vector<std::uint8_t> bgra;
  for (int i = 0; i < 10; ++i) {
    bgra.insert(bgra.end(), {static_cast<std::uint8_t>(10 * i), static_cast<std::uint8_t>(100 + i),
                             static_cast<std::uint8_t>(250 - 9 * i),
                             static_cast<std::uint8_t>(i % 3 ? 255 : 40 * i)});
  }
  auto relaid = [&](PixelLayout layout) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < bgra.size(); i += 4) {
      const std::uint8_t b = bgra[i], g = bgra[i + 1], r = bgra[i + 2], a = bgra[i + 3];
      if (layout == PixelLayout::kBgra) out.insert(out.end(), {b, g, r, a});
      if (layout == PixelLayout::kRgba) out.insert(out.end(), {r, g, b, a});
      if (layout == PixelLayout::kRgb) out.insert(out.end(), {r, g, b});
    }
    return out;
  };
  for (AlphaMeaning alpha : {AlphaMeaning::kOpaque, AlphaMeaning::kBlend}) {
    for (PixelSize out : {PixelSize{5, 2}, PixelSize{2, 1}}) {
      std::vector<std::vector<std::uint8_t>> results;
      for (PixelLayout layout : {PixelLayout::kBgra, PixelLayout::kRgba, PixelLayout::kRgb}) {
        auto sink = PictureSink::Create({5, 2}, out, alpha, RowOrder::kTopDown, layout);
        ASSERT_TRUE(sink);
        const auto rows = relaid(layout);
        const std::size_t stride = rows.size() / 2;
        for (int y = 0; y < 2; ++y) sink->Commit(y, &rows[y * stride]);
        Picture p = sink->Finish({5, 2});
        if (layout == PixelLayout::kRgb) {
          // Without an alpha byte every pixel is opaque: compare with the BGRA rows made opaque.
          auto opaque = PictureSink::Create({5, 2}, out, alpha, RowOrder::kTopDown);
          std::vector<std::uint8_t> full = bgra;
          for (std::size_t i = 3; i < full.size(); i += 4) full[i] = 255;
          for (int y = 0; y < 2; ++y) opaque->Commit(y, &full[y * 20]);
          EXPECT_EQ(p.bgra, opaque->Finish({5, 2}).bgra);
        } else {
          results.push_back(p.bgra);
        }
      }
      EXPECT_EQ(results[0], results[1]);
    }
  }
}

TEST(RowReducer, RowsNeverGivenAreBlackOrTransparent) {
  for (AlphaMeaning alpha : {AlphaMeaning::kOpaque, AlphaMeaning::kBlend}) {
    for (PixelSize out : {PixelSize{4, 4}, PixelSize{2, 2}}) {
      auto sink = PictureSink::Create({4, 4}, out, alpha, RowOrder::kTopDown);
      ASSERT_TRUE(sink);
      for (int y = 0; y < 2; ++y) {  // only the top half arrives
        std::memset(sink->Row(y), 255, 16);
        sink->Commit(y);
      }
      const Picture p = sink->Finish({4, 4});
      const std::uint8_t missingAlpha = alpha == AlphaMeaning::kOpaque ? 255 : 0;
      const std::size_t lastPixel = p.bgra.size() - 4;
      EXPECT_EQ(p.bgra[0], 255);
      EXPECT_EQ(p.bgra[3], 255);
      EXPECT_EQ(p.bgra[lastPixel], 0);
      EXPECT_EQ(p.bgra[lastPixel + 3], missingAlpha);
    }
  }
}

TEST(RowReducer, IgnoresRowsOutOfRangeOrOutOfOrder) {
  auto sink = PictureSink::Create({2, 4}, {1, 2}, AlphaMeaning::kOpaque, RowOrder::kTopDown);
  ASSERT_TRUE(sink);
  for (int y : {2, 1, -1, 4, 2}) {  // only the first 2 is taken
    std::memset(sink->Row(y), 200, 8);
    sink->Commit(y);
  }
  const std::uint8_t pixel[4] = {};
  sink->CommitSparse(3, 5, 1, 1, pixel);  // column past the row
  EXPECT_EQ(sink->rowsCommitted(), 1);
  const Picture p = sink->Finish({2, 4});
  EXPECT_EQ(p.bgra[4], 100);  // bottom output row: half of it was given
}

TEST(RowReducer, RefusesSizesItCannotHold) {
  EXPECT_FALSE(PictureSink::Create({0, 5}, {0, 5}, AlphaMeaning::kOpaque, RowOrder::kTopDown));
  EXPECT_FALSE(PictureSink::Create({10, 10}, {20, 5}, AlphaMeaning::kOpaque, RowOrder::kTopDown));
  EXPECT_FALSE(
      PictureSink::Create({65535, 65535}, {1, 1}, AlphaMeaning::kOpaque, RowOrder::kTopDown));
  // Full size within the pixel limit but more than may be held at once.
  EXPECT_FALSE(PictureSink::Create({16384, 16384}, {16384, 16384}, AlphaMeaning::kBlend,
                                   RowOrder::kTopDown));
  // The same picture reduced needs only its output and two accumulator rows.
  EXPECT_TRUE(
      PictureSink::Create({16384, 16384}, {238, 238}, AlphaMeaning::kBlend, RowOrder::kTopDown));
}

}  // namespace
}  // namespace quorvin::codecs
