// Generating the icon with the chosen size, key colour and tolerance; opening the editor and
// taking its icon back.
#include "platform/controls/color_picker.h"
#include "platform/controls/colour_drop_down.h"
#include "platform/controls/slider_bar.h"
#include "tests/app/main_window_fixture.h"

namespace quorvin::app::test {
namespace {

bool EveryAlphaIs(const ByteSet& pixels, std::uint8_t alpha) {
  for (std::size_t i = 3; i < pixels.size(); i += 4) {
    if (pixels[i] != alpha) return false;
  }
  return !pixels.empty();
}

TEST_F(MainWindowTest, AFlatBackgroundBecomesTransparent) {
  Drop({Write(SquareOnWhite(), "logo.bmp", "BMP")});
  Click("按钮1");
  const ByteSet& pixels = state_.document.PixelBuffer;
  ASSERT_EQ(pixels.size(), 9216u);
  // The corner gives the key, white; the blue square is far outside its tolerance.
  EXPECT_EQ(state_.document.keyColour, (KeyColour{255, 255, 255}));
  for (auto [x, y] : {std::pair{0, 0}, {47, 0}, {0, 47}, {47, 47}, {5, 24}, {24, 5}}) {
    EXPECT_EQ(AlphaAt(pixels, x, y, 48), 0) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{24, 24}, {14, 14}, {33, 33}}) {
    EXPECT_EQ(AlphaAt(pixels, x, y, 48), 255) << x << "," << y;
  }
  EXPECT_EQ(Preview(), state_.document.IconBytes);
}

TEST_F(MainWindowTest, GenerateWithoutAPictureAsksForOne) {
  Click("按钮1");
  EXPECT_EQ(dialogs_.messages, QStringList{QStringLiteral("请先加入需要生成的图片")});
  EXPECT_TRUE(Preview().empty());
  EXPECT_TRUE(state_.document.Snapshot.empty());
  EXPECT_TRUE(state_.document.IconBytes.empty());
}

TEST_F(MainWindowTest, TheSizeBoxesChooseTheSizeOfTheNextIcon) {
  Drop({Write(SquareOnWhite(), "a.bmp", "BMP")});
  Click("按钮1");
  ASSERT_EQ(Preview().size(), 9662u);

  ClickBox("选择框2");
  EXPECT_FALSE(Get<platform::CheckBox>("选择框1").isChecked());
  EXPECT_TRUE(Get<platform::CheckBox>("选择框2").isChecked());
  EXPECT_EQ(state_.document.IconSize, 16);
  EXPECT_EQ(Preview().size(), 9662u);  // until the next "生成"

  Click("按钮1");
  EXPECT_EQ(state_.document.Snapshot.size(), 822u);
  EXPECT_EQ(Preview().size(), 1150u);
  EXPECT_EQ(Preview()[6], 16);
}

// A click that unchecks a box still selects its size: both boxes end unchecked.
TEST_F(MainWindowTest, ClickingTheCheckedBoxUnchecksItAndKeepsItsSize) {
  ClickBox("选择框1");
  EXPECT_FALSE(Get<platform::CheckBox>("选择框1").isChecked());
  EXPECT_FALSE(Get<platform::CheckBox>("选择框2").isChecked());
  EXPECT_EQ(state_.document.IconSize, 48);

  ClickBox("选择框2");
  ClickBox("选择框2");
  EXPECT_FALSE(Get<platform::CheckBox>("选择框2").isChecked());
  EXPECT_EQ(state_.document.IconSize, 16);
}

// Left half pure red, right half pure blue: the corner would make blue the key.
QImage RedAndBlue() {
  return Picture(96, 96, [](int x, int) { return x < 48 ? qRgb(255, 0, 0) : qRgb(0, 0, 255); });
}

TEST_F(MainWindowTest, APickedColourBecomesTheKeyAndUnchecksTheCornerBox) {
  Drop({Write(RedAndBlue(), "a.bmp", "BMP")});
  auto& picker = Get<platform::ColorPicker>("颜色选择器1");
  QTest::mouseClick(&picker, Qt::LeftButton);
  platform::ColourDropDown* dropDown = picker.DropDown();
  ASSERT_NE(dropDown, nullptr);
  const auto colours = platform::DropDownColours();
  const auto red = std::find(colours.begin(), colours.end(), ColourValue{0x000000FF});
  ASSERT_NE(red, colours.end());
  QTest::mouseClick(
      dropDown->findChild<QWidget*>(QStringLiteral("swatch%1").arg(red - colours.begin())),
      Qt::LeftButton);

  EXPECT_EQ(state_.document.keyColour, (KeyColour{0, 0, 255}));
  EXPECT_FALSE(Get<platform::CheckBox>("选择框3").isChecked());
  Click("按钮1");
  EXPECT_EQ(state_.document.keyColour, (KeyColour{0, 0, 255}));
  EXPECT_EQ(AlphaAt(state_.document.PixelBuffer, 2, 24, 48), 0);     // red
  EXPECT_EQ(AlphaAt(state_.document.PixelBuffer, 45, 24, 48), 255);  // blue
}

TEST_F(MainWindowTest, AColourFromTheOtherColourDialogIsTheKeyToo) {
  dialogs_.AnswerColour(MakeColour(1, 2, 3));
  auto& picker = Get<platform::ColorPicker>("颜色选择器1");
  QTest::mouseClick(&picker, Qt::LeftButton);
  QTest::mouseClick(picker.DropDown()->findChild<QWidget*>(QStringLiteral("otherColour")),
                    Qt::LeftButton);
  EXPECT_EQ(state_.document.keyColour, (KeyColour{3, 2, 1}));
  EXPECT_FALSE(Get<platform::CheckBox>("选择框3").isChecked());
}

TEST_F(MainWindowTest, TheSliderSetsTheToleranceAndItsLabel) {
  auto& slider = Get<platform::SliderBar>("滑块条1");
  auto& label = Get<platform::TransLabel>("透明标签1");
  EXPECT_EQ(label.Text(), QStringLiteral("35"));
  QTest::keyClick(&slider, Qt::Key_Right);
  EXPECT_EQ(label.Text(), QStringLiteral("36"));
  EXPECT_EQ(state_.document.Tolerance, 36);
  QTest::keyClick(&slider, Qt::Key_End);
  EXPECT_EQ(label.Text(), QStringLiteral("100"));
  EXPECT_EQ(state_.document.Tolerance, 100);
}

TEST_F(MainWindowTest, ToleranceZeroKeepsEveryPixelOpaque) {
  Drop({Write(SquareOnWhite(), "a.bmp", "BMP")});
  QTest::keyClick(&Get<platform::SliderBar>("滑块条1"), Qt::Key_Home);
  EXPECT_EQ(Get<platform::TransLabel>("透明标签1").Text(), QStringLiteral("0"));
  Click("按钮1");
  EXPECT_TRUE(EveryAlphaIs(state_.document.PixelBuffer, 255));
}

TEST_F(MainWindowTest, ModifyBeforeGeneratingAsksForAnIcon) {
  Click("按钮2");
  EXPECT_EQ(dialogs_.messages, QStringList{QStringLiteral("请先生成ICO图片")});
  EXPECT_FALSE(PollTimer().IsRunning());
  EXPECT_EQ(editor_.Current(), nullptr);
}

TEST_F(MainWindowTest, ModifyOpensOneEditorAndStartsTheTimer) {
  Drop({Write(SquareOnWhite(), "a.bmp", "BMP")});
  Click("按钮1");
  state_.EditorDoneFlag = 1;  // left from an earlier editor
  Click("按钮2");
  platform::Window* editorWindow = editor_.Current();
  ASSERT_NE(editorWindow, nullptr);
  EXPECT_STREQ(editorWindow->Layout().name, "EditorWindow");
  EXPECT_TRUE(editorWindow->isVisible());
  EXPECT_EQ(state_.EditorDoneFlag, 0);
  EXPECT_TRUE(PollTimer().IsRunning());
  EXPECT_EQ(PollTimer().Period(), 1000);

  Click("按钮2");  // no second editor
  EXPECT_EQ(editor_.Current(), editorWindow);
  EXPECT_TRUE(dialogs_.messages.isEmpty());
}

TEST_F(MainWindowTest, TheTimerTakesTheIconBackOnlyOnceTheEditorIsDone) {
  Drop({Write(SquareOnWhite(), "a.bmp", "BMP")});
  Click("按钮1");
  Click("按钮2");
  const ByteSet generated = Preview();
  state_.document.PixelBuffer.assign(state_.document.PixelBuffer.size(), 0x11);
  state_.document.AssembleIcon();

  controller_.EditorPollTicked();  // still editing
  EXPECT_EQ(Preview(), generated);
  EXPECT_TRUE(PollTimer().IsRunning());

  state_.EditorDoneFlag = 1;
  PollTimer().SetPeriod(1);  // the next tick without waiting a whole second
  ASSERT_TRUE(QTest::qWaitFor([&] { return !PollTimer().IsRunning(); }, 5000));
  EXPECT_EQ(Preview(), state_.document.IconBytes);
  EXPECT_EQ(PollTimer().Period(), 0);
  EXPECT_EQ(state_.EditorDoneFlag, 1);
}

// A new generation under an open editor replaces the document it works on.
TEST_F(MainWindowTest, GeneratingWhileTheEditorIsOpenReplacesTheIcon) {
  Drop({Write(SquareOnWhite(), "a.bmp", "BMP")});
  Click("按钮1");
  Click("按钮2");
  ClickBox("选择框2");
  Click("按钮1");
  EXPECT_NE(editor_.Current(), nullptr);
  EXPECT_EQ(state_.document.PixelBuffer.size(), 1024u);
  EXPECT_EQ(Preview().size(), 1150u);
}

}  // namespace
}  // namespace quorvin::app::test
