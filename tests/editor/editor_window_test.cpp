// The editor window's own controls: brush choice, finishing, closing and the instructions.
#include <QApplication>
#include <QPointer>
#include <optional>
#include <vector>

#include "tests/editor/editor_fixture.h"

namespace quorvin::editor::test {
namespace {

TEST_F(EditorTest, EveryEventTheEditorPromisesIsHandled) {
  OpenEditor();
  EXPECT_EQ(Win().UnboundEvents(), std::vector<std::string>{});
}

struct BrushCase {
  const char* name;
  std::vector<const char*> presses;  // "颜色选择器1" chooses pickerAnswer
  std::optional<ColourValue> pickerAnswer;
  ColourValue brush;
  bool transparent;
  Bgra painted;  // the first cell after a paint; it starts as blue 5, green 5, red 200, alpha 255
};

class BrushRules : public EditorTest, public testing::WithParamInterface<BrushCase> {};

TEST_P(BrushRules, ChoicesSetTheBrushAndThePaintMode) {
  const BrushCase& c = GetParam();
  OpenEditor();
  for (const char* name : c.presses) {
    if (std::string_view(name) == "颜色选择器1") {
      PickColour(c.pickerAnswer);
    } else {
      Press(name);
    }
  }
  EXPECT_EQ(Brush(), c.brush);
  EXPECT_EQ(TransparentBox().isChecked(), c.transparent);
  PressMarker();
  EXPECT_EQ(PixelAt(9028), c.painted);
}

constexpr ColourValue kRed = 0x000000FF;
constexpr ColourValue kBlue = 0x00FF0000;

INSTANTIATE_TEST_SUITE_P(
    Choices, BrushRules,
    testing::Values(
        BrushCase{"opens_in_transparent_paint", {}, {}, kDefaultColour, true, {5, 5, 200, 0}},
        BrushCase{"swatch_gives_its_colour", {"标签右4"}, {}, 0x0000FF00, false, {0, 255, 0, 255}},
        BrushCase{"unchecking_transparency_paints_opaque_black",
                  {"选择框1"},
                  {},
                  kDefaultColour,
                  false,
                  {0, 0, 0, 255}},
        BrushCase{"checking_transparency_resets_the_brush",
                  {"标签左1", "选择框1"},
                  {},
                  kDefaultColour,
                  true,
                  {5, 5, 200, 0}},
        BrushCase{
            "picker_gives_its_colour", {"颜色选择器1"}, kBlue, kBlue, false, {255, 0, 0, 255}},
        BrushCase{"picker_colour_already_shown_still_counts",
                  {"颜色选择器1"},
                  0x00000000,
                  0x00000000,
                  false,
                  {0, 0, 0, 255}},
        BrushCase{"cancelled_picker_changes_nothing",
                  {"标签左1", "颜色选择器1"},
                  std::nullopt,
                  kRed,
                  false,
                  {0, 0, 255, 255}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditorTest, EverySwatchGivesItsOwnColour) {
  const std::pair<const char*, ColourValue> palette[] = {
      {"标签左1", 0x000000FF}, {"标签左2", 0x000080FF}, {"标签左3", 0x0000FFFF},
      {"标签左4", 0x00008000}, {"标签左5", 0x00FF0000}, {"标签左6", 0x00FFFFFF},
      {"标签左7", 0x00000000}, {"标签右1", 0x00000080}, {"标签右2", 0x000060C0},
      {"标签右3", 0x0000D8D8}, {"标签右4", 0x0000FF00}, {"标签右5", 0x00FF8800},
      {"标签右6", 0x00C0C0C0}, {"标签右7", 0x00808080},
  };
  OpenEditor();
  for (const auto& [name, colour] : palette) {
    TransparentBox().setChecked(true);
    Press(name);
    EXPECT_EQ(Brush(), colour) << name;
    EXPECT_FALSE(TransparentBox().isChecked()) << name;
  }
}

TEST_F(EditorTest, DoneSetsTheFlagAndTakesTheWindowDown) {
  OpenEditor();
  QPointer<platform::Window> window = &Win();
  Press("按钮2");  // also with nothing painted
  EXPECT_EQ(state_.EditorDoneFlag, 1);
  EXPECT_EQ(editor_.Current(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

TEST_F(EditorTest, EscClosesWithoutTheFlagAndThePaintsStay) {
  OpenEditor();
  Press("标签左1");
  PressMarker();
  const ByteSet painted = state_.document.IconBytes;
  QPointer<platform::Window> window = &Win();
  QTest::keyClick(&Win(), Qt::Key_Escape);
  EXPECT_EQ(state_.EditorDoneFlag, 0);
  EXPECT_EQ(editor_.Current(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(state_.document.IconBytes, painted);
}

int OpenInstructionsWindows() {
  int open = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* window = dynamic_cast<platform::Window*>(w);
    if (window != nullptr && window->objectName() == "InstructionsWindow" && !window->IsClosed()) {
      ++open;
    }
  }
  return open;
}

TEST_F(EditorTest, InstructionsOpenOnceWithTheirTwoLinesBesideAUsableEditor) {
  OpenEditor();
  Press("超级链接框1");
  platform::Window* instructions = editor_.CurrentInstructions();
  ASSERT_NE(instructions, nullptr);
  EXPECT_TRUE(instructions->isVisible());
  EXPECT_EQ(instructions->parentWidget(), nullptr);
  EXPECT_EQ(instructions->Get<platform::Label>("标签1").Text(),
            QString::fromUtf8("功能：可以透明色块，可以增加色块！\r\n快捷：鼠标右键快捷撤销"));

  instructions->showMinimized();
  Press("超级链接框1");
  EXPECT_EQ(editor_.CurrentInstructions(), instructions);
  EXPECT_FALSE(instructions->isMinimized());
  EXPECT_EQ(OpenInstructionsWindows(), 1);

  PressMarker();  // the editor goes on working
  EXPECT_EQ(HistorySize(), 1);
  Press("按钮2");  // and the instructions may outlive it
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(editor_.CurrentInstructions(), instructions);
}

}  // namespace
}  // namespace quorvin::editor::test
