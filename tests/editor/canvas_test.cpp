// The canvas through the real editor window: the pointer snaps to cells, presses paint the
// snapped cell's pixel in the document and the view shows the icon assembled again.
#include "editor/canvas.h"

#include "tests/editor/editor_fixture.h"

namespace quorvin::editor::test {
namespace {

struct CellCase {
  const char* name;
  int iconSize;
  int x, y;  // pointer in the view's client area
  int snapX, snapY;
  std::int64_t alpha;  // the painted pixel's alpha position
};

class PointerCells : public EditorTest, public testing::WithParamInterface<CellCase> {};

TEST_P(PointerCells, PointerSnapsTheMarkerAndAPressPaintsThatPixel) {
  const CellCase& c = GetParam();
  LoadIcon(c.iconSize);
  const ByteSet before = state_.document.PixelBuffer;
  OpenEditor();
  const int cell = c.iconSize == 16 ? 15 : 5;
  EXPECT_EQ(Marker().size(), QSize(cell, cell));

  PointTo(c.x, c.y);
  EXPECT_EQ(state_.SnapX, c.snapX);
  EXPECT_EQ(state_.SnapY, c.snapY);
  EXPECT_EQ(Marker().pos(), View().pos() + QPoint(c.snapX, c.snapY));

  PressView();  // the editor opens in transparent paint
  ByteSet expected = before;
  expected[static_cast<std::size_t>(c.alpha - 1)] = 0;
  EXPECT_EQ(state_.document.PixelBuffer, expected);
  EXPECT_EQ(HistorySize(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, PointerCells,
    testing::Values(CellCase{"origin", 48, 0, 0, 0, 0, 9028},
                    CellCase{"last_pixel_of_first_cell", 48, 4, 4, 0, 0, 9028},
                    CellCase{"second_cell_starts_at_5", 48, 5, 0, 5, 0, 9032},
                    CellCase{"last_client_pixel", 48, 237, 237, 235, 235, 192},
                    CellCase{"top_right", 48, 237, 0, 235, 0, 9216},
                    CellCase{"bottom_left", 48, 0, 237, 0, 235, 4},
                    CellCase{"inside", 48, 37, 12, 35, 10, 8672},
                    CellCase{"icon16_origin", 16, 14, 14, 0, 0, 964},
                    CellCase{"icon16_second_cell_starts_at_15", 16, 15, 0, 15, 0, 968},
                    CellCase{"icon16_top_right", 16, 237, 0, 225, 0, 1024},
                    CellCase{"icon16_last_client_pixel", 16, 237, 237, 225, 225, 64}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorTest, OpeningShowsTheIconAndAPressOnTheUnmovedMarkerPaintsTheFirstCell) {
  OpenEditor();
  EXPECT_EQ(View().Picture(), state_.document.IconBytes);
  EXPECT_TRUE(View().ShowsDecodedPicture());
  EXPECT_EQ(Marker().pos(), QPoint(288, 88));  // its designed place until the pointer moves
  EXPECT_EQ(Marker().size(), QSize(5, 5));

  PressMarker();
  EXPECT_EQ(PixelAt(9028), (Bgra{5, 5, 200, 0}));
}

TEST_F(EditorTest, APaintChangesOnlyThatPixelsFourBytesOfTheIcon) {
  OpenEditor();
  Press("标签右4");  // green
  PointTo(100, 60);  // column 21, row 13
  const ByteSet before = state_.document.IconBytes;
  PressMarker();

  const ByteSet& after = state_.document.IconBytes;
  ASSERT_EQ(after.size(), 9662u);
  const std::size_t alphaInFile = 62 + static_cast<std::size_t>((21 + 35 * 48) * 4) - 1;
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < after.size(); ++i) {
    if (after[i] != before[i]) changed.push_back(i);
  }
  // Blue 105 and red 200 become 0, green 65 becomes 255; alpha stays 255.
  EXPECT_EQ(changed, (std::vector<std::size_t>{alphaInFile - 3, alphaInFile - 2, alphaInFile - 1}));
  EXPECT_EQ((Bgra{after[alphaInFile - 3], after[alphaInFile - 2], after[alphaInFile - 1],
                  after[alphaInFile]}),
            (Bgra{0, 255, 0, 255}));
  EXPECT_EQ(View().Picture(), after);
}

TEST_F(EditorTest, TransparentPaintKeepsTheColourAndAColourPaintWritesTheBrush) {
  SetPixel(state_.document.PixelBuffer, 9028, Bgra{0, 0, 255, 255});  // opaque red
  state_.document.AssembleIcon();
  OpenEditor();

  PressMarker();
  EXPECT_EQ(PixelAt(9028), (Bgra{0, 0, 255, 0}));

  Press("标签左5");  // blue
  PressMarker();
  EXPECT_EQ(PixelAt(9028), (Bgra{255, 0, 0, 255}));
  EXPECT_EQ(state_.brushBytes, (ByteSet{0, 0, 255, 0}));  // red, green, blue, top byte
}

TEST_F(EditorTest, PaintingTheSameCellTwiceChangesNothingTheSecondTimeButIsRecorded) {
  OpenEditor();
  Press("标签左1");
  PressMarker();
  const ByteSet once = state_.document.IconBytes;
  PressMarker();
  EXPECT_EQ(state_.document.IconBytes, once);
  EXPECT_EQ(HistorySize(), 2);
}

TEST_F(EditorTest, DraggingWithTheButtonDownPaintsOnlyTheCellOfThePress) {
  OpenEditor();
  const ByteSet before = state_.document.PixelBuffer;
  const QPoint origin = View().ClientRect().topLeft();
  QTest::mousePress(&View(), Qt::LeftButton, {}, origin + QPoint(12, 12));
  for (int x = 20; x < 200; x += 30) QTest::mouseMove(&View(), origin + QPoint(x, 12));
  QTest::mouseRelease(&View(), Qt::LeftButton, {}, origin + QPoint(200, 12));

  EXPECT_EQ(HistorySize(), 1);
  ByteSet expected = before;
  expected[9028 - 1] = 0;  // SnapX, SnapY were still 0, 0 when the button went down
  EXPECT_EQ(state_.document.PixelBuffer, expected);
  EXPECT_EQ(state_.SnapX, 170);  // the marker followed the drag
}

TEST_F(EditorTest, AnEmptyBufferPaintsNothing) {
  state_.document.PixelBuffer.clear();
  state_.document.IconBytes.clear();
  OpenEditor();
  PointTo(100, 100);
  PressView();
  PressMarker();
  EXPECT_TRUE(state_.document.PixelBuffer.empty());
  EXPECT_TRUE(state_.document.IconBytes.empty());
  EXPECT_EQ(HistorySize(), 0);
}

}  // namespace
}  // namespace quorvin::editor::test
