// The undo history through the real editor window: entries in the three hidden lists, undone
// newest first, gone with the window and dropped when the icon under the editor is replaced.
#include "editor/canvas.h"
#include "tests/editor/editor_fixture.h"

namespace quorvin::editor::test {
namespace {

const QStringList kNothingLeft{QString::fromUtf8(kNothingToUndo)};

TEST_F(EditorTest, UndoAtOnceSaysThereIsNothingToUndoAndChangesNothing) {
  OpenEditor();
  const ByteSet icon = state_.document.IconBytes;
  Press("按钮1");
  EXPECT_EQ(dialogs_.messages, kNothingLeft);
  EXPECT_EQ(state_.document.IconBytes, icon);
  EXPECT_EQ(View().Picture(), icon);
}

TEST_F(EditorTest, EachPaintIsRecordedInTheThreeListsAsOneItemEach) {
  SetPixel(state_.document.PixelBuffer, 9028, Bgra{10, 20, 30, 255});
  state_.document.AssembleIcon();
  OpenEditor();
  Press("标签左1");
  PressMarker();

  auto& alphaRed = Get<platform::ListBox>("列表框1");
  auto& greenBlue = Get<platform::ListBox>("列表框2");
  auto& positions = Get<platform::ListBox>("列表框3");
  ASSERT_EQ(positions.Count(), 1);
  EXPECT_EQ(alphaRed.ItemText(0), "255");
  EXPECT_EQ(alphaRed.ItemData(0), 30);
  EXPECT_EQ(greenBlue.ItemText(0), "20");
  EXPECT_EQ(greenBlue.ItemData(0), 10);
  EXPECT_EQ(positions.ItemText(0), "9028");
  EXPECT_EQ(positions.ItemData(0), 0);

  Press("按钮1");
  EXPECT_EQ(PixelAt(9028), (Bgra{10, 20, 30, 255}));
  EXPECT_EQ(alphaRed.Count() + greenBlue.Count() + positions.Count(), 0);
}

TEST_F(EditorTest, UndoGoesBackNewestFirstAcrossColourAndTransparentPaints) {
  const Bgra original = PixelAt(9028);
  OpenEditor();
  Press("标签左1");  // red
  PressMarker();
  Press("标签左5");  // blue
  PressMarker();
  Press("选择框1");  // back to transparent
  PressMarker();
  EXPECT_EQ(PixelAt(9028), (Bgra{255, 0, 0, 0}));  // transparent paint kept the blue

  const std::vector<Bgra> afterEachUndo = {{255, 0, 0, 255}, {0, 0, 255, 255}, original, original};
  for (const Bgra& expected : afterEachUndo) {
    PressView(Qt::RightButton);
    EXPECT_EQ(PixelAt(9028), expected);
    EXPECT_EQ(View().Picture(), state_.document.IconBytes);
  }
  EXPECT_EQ(dialogs_.messages, kNothingLeft);  // only the fourth undo found nothing
}

struct TriggerCase {
  const char* name;
  const char* control;
  Qt::MouseButton button;
};

class UndoTriggers : public EditorTest, public testing::WithParamInterface<TriggerCase> {};

TEST_P(UndoTriggers, EachUndoesExactlyOnePaint) {
  const Bgra original = PixelAt(9028);
  OpenEditor();
  Press("标签左1");
  PressMarker();
  const Bgra red = PixelAt(9028);
  Press("标签左5");
  PressMarker();

  auto* trigger = static_cast<QWidget*>(Win().Find(GetParam().control));
  QTest::mouseClick(trigger, GetParam().button);
  EXPECT_EQ(PixelAt(9028), red);
  EXPECT_EQ(HistorySize(), 1);
  QTest::mouseClick(trigger, GetParam().button);
  EXPECT_EQ(PixelAt(9028), original);
  EXPECT_TRUE(dialogs_.messages.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Triggers, UndoTriggers,
    testing::Values(TriggerCase{"right_press_on_view", "图片框1", Qt::RightButton},
                    TriggerCase{"right_press_on_marker", "标签1", Qt::RightButton},
                    TriggerCase{"undo_button", "按钮1", Qt::LeftButton}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorTest, ASecondOpeningStartsWithAnEmptyHistoryButKeepsThePaints) {
  OpenEditor();
  Press("标签左1");
  PointTo(100, 100);  // column 21, row 21
  PressMarker();
  Press("按钮2");
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const ByteSet painted = state_.document.IconBytes;

  OpenEditor();
  EXPECT_EQ(HistorySize(), 0);
  EXPECT_EQ(View().Picture(), painted);
  EXPECT_TRUE(TransparentBox().isChecked());
  EXPECT_EQ(Brush(), kDefaultColour);
  EXPECT_EQ(Marker().pos(), QPoint(288, 88));
  Press("按钮1");
  EXPECT_EQ(dialogs_.messages, kNothingLeft);
  EXPECT_EQ(state_.document.IconBytes, painted);

  // The snapped cell outlives the window: the unmoved marker paints column 21, row 21 again.
  PressMarker();
  EXPECT_EQ(PixelAt((21 + 27 * 48) * 4), (Bgra{0, 0, 255, 0}));
}

TEST_F(EditorTest, ANewIconUnderTheEditorDropsTheHistoryAndIsShownAtOnce) {
  OpenEditor();
  PressMarker();
  LoadIcon(48, 1);
  const ByteSet fresh = state_.document.PixelBuffer;
  editor_.DocumentReplaced();

  EXPECT_EQ(HistorySize(), 0);
  EXPECT_EQ(View().Picture(), state_.document.IconBytes);
  Press("按钮1");
  EXPECT_EQ(dialogs_.messages, kNothingLeft);
  EXPECT_EQ(state_.document.PixelBuffer, fresh);
}

TEST_F(EditorTest, ANewIconOfTheOtherSizeBringsItsOwnGrid) {
  OpenEditor();
  PointTo(237, 0);  // 48 grid: column 48, row 1
  PressMarker();
  LoadIcon(16);
  editor_.DocumentReplaced();

  EXPECT_EQ(HistorySize(), 0);
  EXPECT_EQ(Marker().size(), QSize(15, 15));
  EXPECT_EQ(state_.SnapX, 225);  // the same corner of the view, in the 16 grid
  EXPECT_EQ(Marker().pos(), View().pos() + QPoint(225, 0));
  EXPECT_EQ(View().Picture(), state_.document.IconBytes);

  PressMarker();
  EXPECT_EQ(PixelAt(1024), (Bgra{80, 5, 200, 0}));
  EXPECT_EQ(state_.document.IconBytes.size(), 1150u);
  PressView(Qt::RightButton);
  EXPECT_EQ(state_.document.PixelBuffer, TestPixels(16));

  PointTo(30, 30);  // column 3, row 3 of the 16 grid
  EXPECT_EQ(Marker().pos(), View().pos() + QPoint(30, 30));
}

}  // namespace
}  // namespace quorvin::editor::test
