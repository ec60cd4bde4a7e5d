#include "editor/canvas_grid.h"

#include <gtest/gtest.h>

namespace quorvin::editor {
namespace {

struct PointerCase {
  const char* name;
  int x, y;
  int snapX, snapY;
  std::int64_t alpha;
};

class Grid48 : public testing::TestWithParam<PointerCase> {};

TEST_P(Grid48, PointerSnapsToTheCellAndItsPixel) {
  const PointerCase& c = GetParam();
  const CanvasGrid grid = GridForBuffer(ByteSet(9216));
  const int sx = SnapToCell(c.x, grid), sy = SnapToCell(c.y, grid);
  EXPECT_EQ(sx, c.snapX);
  EXPECT_EQ(sy, c.snapY);
  EXPECT_EQ(CellAlphaPosition(sx, sy, grid, 9216), c.alpha);
}

INSTANTIATE_TEST_SUITE_P(Cells, Grid48,
                         testing::Values(PointerCase{"origin", 0, 0, 0, 0, 9028},
                                         PointerCase{"inside_first_cell", 4, 4, 0, 0, 9028},
                                         PointerCase{"next_cell_starts_at_5", 5, 0, 5, 0, 9032},
                                         PointerCase{"last_client_pixel", 237, 237, 235, 235, 192},
                                         PointerCase{"top_right", 237, 0, 235, 0, 9216},
                                         PointerCase{"bottom_left", 0, 237, 0, 235, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CanvasGrid, SixteenPixelIconGetsFifteenPixelCells) {
  const CanvasGrid grid = GridForBuffer(ByteSet(1024));
  EXPECT_EQ(grid.cells, 16);
  EXPECT_EQ(grid.cellSize, 15);
  EXPECT_EQ(SnapToCell(14, grid), 0);
  EXPECT_EQ(SnapToCell(15, grid), 15);
  EXPECT_EQ(CellAlphaPosition(0, 0, grid, 1024), 964);     // top-left
  EXPECT_EQ(CellAlphaPosition(225, 0, grid, 1024), 1024);  // top-right
  EXPECT_EQ(CellAlphaPosition(225, 225, grid, 1024), 64);  // bottom-right
}

TEST(CanvasGrid, NothingOutsideTheGridOrTheBufferIsAddressed) {
  const CanvasGrid grid48 = GridForBuffer(ByteSet(9216));
  EXPECT_EQ(CellAlphaPosition(240, 0, grid48, 9216), std::nullopt);
  EXPECT_EQ(CellAlphaPosition(-5, 0, grid48, 9216), std::nullopt);
  EXPECT_EQ(SnapToCell(-1, grid48), -5);
  // A buffer that is neither 48x48 nor 16x16 (an empty one, before any generation) has no pixel.
  EXPECT_EQ(CellAlphaPosition(0, 0, GridForBuffer(ByteSet()), 0), std::nullopt);
  EXPECT_EQ(CellAlphaPosition(235, 0, grid48, 100), std::nullopt);
}

TEST(PaintPixel, TransparentKeepsColourAndColourPaintWritesBrush) {
  ByteSet pixels(9216, 0);
  const std::int64_t p = 9028;
  pixels[p - 4] = 0;    // blue
  pixels[p - 3] = 0;    // green
  pixels[p - 2] = 255;  // red
  pixels[p - 1] = 255;  // alpha

  UndoEntry first = PaintPixel(pixels, p, true, kDefaultColour);
  EXPECT_EQ(first.alpha, 255);
  EXPECT_EQ(first.red, 255);
  EXPECT_EQ((ByteSet{pixels[p - 4], pixels[p - 3], pixels[p - 2], pixels[p - 1]}),
            (ByteSet{0, 0, 255, 0}));

  PaintPixel(pixels, p, false, 0x00FF0000);  // blue brush
  EXPECT_EQ((ByteSet{pixels[p - 4], pixels[p - 3], pixels[p - 2], pixels[p - 1]}),
            (ByteSet{255, 0, 0, 255}));

  PaintPixel(pixels, p, false, kDefaultColour);  // the top byte is ignored: opaque black
  EXPECT_EQ((ByteSet{pixels[p - 4], pixels[p - 3], pixels[p - 2], pixels[p - 1]}),
            (ByteSet{0, 0, 0, 255}));

  ASSERT_TRUE(RestorePixel(pixels, first));
  EXPECT_EQ((ByteSet{pixels[p - 4], pixels[p - 3], pixels[p - 2], pixels[p - 1]}),
            (ByteSet{0, 0, 255, 255}));
}

TEST(PaintPixel, RestoreRefusesAPixelOutsideTheBuffer) {
  ByteSet small(1024, 7);
  EXPECT_FALSE(RestorePixel(small, UndoEntry{9028, 1, 2, 3, 4}));
  EXPECT_FALSE(RestorePixel(small, UndoEntry{2, 1, 2, 3, 4}));
  EXPECT_EQ(small, ByteSet(1024, 7));
}

}  // namespace
}  // namespace quorvin::editor
