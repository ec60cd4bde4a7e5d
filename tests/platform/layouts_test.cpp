#include "app/layouts/layouts.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <set>

#include "platform/controls/check_box.h"
#include "platform/controls/color_picker.h"
#include "platform/controls/common_dlg.h"
#include "platform/controls/drop_target.h"
#include "platform/controls/group_box.h"
#include "platform/controls/hyper_linker.h"
#include "platform/controls/label.h"
#include "platform/controls/list_box.h"
#include "platform/controls/pic_box.h"
#include "platform/controls/slider_bar.h"
#include "platform/controls/timer.h"
#include "platform/controls/trans_label.h"
#include "platform/fonts.h"
#include "platform/qt_colour.h"
#include "platform/scripted_dialogs.h"
#include "platform/window.h"

namespace quorvin::platform {
namespace {

using layouts::EditorWindowLayout;
using layouts::InstructionsWindowLayout;
using layouts::MainWindowLayout;

struct WindowCase {
  const char* name;
  const WindowLayout& (*layout)();
  QSize client;
  bool minimise;
  bool taskbar;
};

class EveryWindow : public testing::TestWithParam<WindowCase> {
 protected:
  ScriptedDialogs dialogs_;
};

TEST_P(EveryWindow, HasItsClientSizeAndCaptionButtons) {
  const WindowCase& c = GetParam();
  auto window = BuildWindow(c.layout(), dialogs_);
  EXPECT_EQ(window->size(), c.client);
  EXPECT_EQ(window->minimumSize(), c.client);
  EXPECT_EQ(window->maximumSize(), c.client);
  EXPECT_EQ(bool(window->windowFlags() & Qt::WindowMinimizeButtonHint), c.minimise);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window->windowType() == Qt::Window, c.taskbar);
}

TEST_P(EveryWindow, BuildsEveryControlAtItsPlace) {
  const WindowLayout& layout = GetParam().layout();
  auto window = BuildWindow(layout, dialogs_);
  std::set<std::string> names;
  for (const ControlSpec& desc : layout.controls) {
    SCOPED_TRACE(desc.name);
    EXPECT_TRUE(names.insert(desc.name).second);
    QObject* control = window->Find(desc.name);
    ASSERT_NE(control, nullptr);
    auto* widget = qobject_cast<QWidget*>(control);
    ASSERT_EQ(widget != nullptr, IsVisual(desc.kind));
    if (widget == nullptr) continue;
    // No container in these layouts has a border, so places are the widgets' own.
    EXPECT_EQ(widget->geometry(), QRect(desc.left, desc.top, desc.width, desc.height));
    EXPECT_EQ(widget->focusPolicy(), TakesFocus(desc.kind) ? Qt::StrongFocus : Qt::NoFocus);
    EXPECT_FALSE(widget->isHidden());
    QWidget* container =
        desc.container ? qobject_cast<QWidget*>(window->Find(desc.container)) : window.get();
    EXPECT_EQ(widget->parentWidget(), container);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EveryWindow,
    testing::Values(WindowCase{"MainWindow", &MainWindowLayout, {259, 381}, true, true},
                    WindowCase{"EditorWindow", &EditorWindowLayout, {316, 317}, true, false},
                    WindowCase{
                        "InstructionsWindow", &InstructionsWindowLayout, {374, 61}, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

class MainWindowLayoutTest : public testing::Test {
 protected:
  MainWindowLayoutTest() : window_(BuildWindow(MainWindowLayout(), dialogs_)) {}
  ScriptedDialogs dialogs_;
  std::unique_ptr<Window> window_;
};

TEST_F(MainWindowLayoutTest, StartsWithTheTablesValues) {
  Window& w = *window_;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Quorvin v2.0"));
  EXPECT_FALSE(w.Get<PicBox>("图片框1").HasPicture());
  EXPECT_FALSE(w.Get<PicBox>("图片框2").HasPicture());
  EXPECT_EQ(w.Get<PicBox>("图片框1").BorderStyle(), Border::kNone);
  EXPECT_TRUE(w.Get<CheckBox>("选择框1").isChecked());
  EXPECT_FALSE(w.Get<CheckBox>("选择框2").isChecked());
  EXPECT_TRUE(w.Get<CheckBox>("选择框3").isChecked());
  EXPECT_EQ(w.Get<CheckBox>("选择框1").TextColour(), 0x00008000u);
  EXPECT_EQ(w.Get<CheckBox>("选择框1").text(), QStringLiteral("生成48X48尺寸ICO图片"));
  EXPECT_EQ(w.Get<CheckBox>("选择框2").text(), QStringLiteral("生成16X16尺寸ICO图片"));
  auto& slider = w.Get<SliderBar>("滑块条1");
  EXPECT_EQ(slider.Position(), 35);
  EXPECT_EQ(slider.minimum(), 0);
  EXPECT_EQ(slider.maximum(), 100);
  EXPECT_EQ(slider.pageStep(), 1);
  EXPECT_EQ(slider.singleStep(), 1);
  EXPECT_EQ(slider.orientation(), Qt::Horizontal);
  EXPECT_EQ(w.Get<TransLabel>("透明标签1").Text(), QStringLiteral("35"));
  EXPECT_EQ(w.Get<TransLabel>("透明标签2").Text(), QStringLiteral("支持拖入图片"));
  EXPECT_EQ(w.Get<GroupBox>("分组框3").Title(), QStringLiteral("边缘细致程度"));
  EXPECT_EQ(w.Get<GroupBox>("分组框3").TitleColour(), 0x00FF8800u);
  EXPECT_EQ(w.Get<ColorPicker>("颜色选择器1").Colour(), 0x00000000u);
  EXPECT_EQ(w.Get<Timer>("时钟1").Period(), 0);
  EXPECT_FALSE(w.Get<Timer>("时钟1").IsRunning());
  EXPECT_FALSE(w.Get<DropTarget>("拖放对象1").AcceptFiles());
  auto& dialog = w.Get<CommonDlg>("通用对话框1");
  EXPECT_EQ(dialog.Type(), CommonDlg::kOpen);
  EXPECT_TRUE(dialog.FileName().isEmpty());
  EXPECT_TRUE(dialog.Filter().isEmpty());
  EXPECT_TRUE(dialog.DefaultExtension().isEmpty());
}

TEST_F(MainWindowLayoutTest, HintLiesInFrontOfTheSourceBoxAndShowsItThrough) {
  Window& w = *window_;
  QWidget& group = *qobject_cast<QWidget*>(w.Find("分组框1"));
  const QObjectList& stack = group.children();  // bottom to top
  EXPECT_GT(stack.indexOf(w.Find("透明标签2")), stack.indexOf(w.Find("图片框1")));

  const QFontInfo hint(w.Get<TransLabel>("透明标签2").font());
  EXPECT_EQ(hint.family(), CjkFamily());
  EXPECT_EQ(hint.pixelSize(), 20);
  EXPECT_TRUE(hint.bold());

  // Around the letters the box's background shows; the letters themselves are black.
  w.Get<PicBox>("图片框1").SetBackground(0x0000FF00);
  const QImage shown = group.grab().toImage();
  int green = 0, black = 0;
  for (int y = 60; y < 100; ++y) {
    for (int x = 11; x < 139; ++x) {
      const QRgb p = shown.pixel(x, y);
      if (p == qRgb(0, 255, 0)) ++green;
      if (qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60) ++black;
    }
  }
  EXPECT_GT(green, 128 * 40 / 2);
  EXPECT_GT(black, 100);
}

TEST_F(MainWindowLayoutTest, FooterStartsLeftOfTheClientAreaAndIsCutOff) {
  Window& w = *window_;
  auto& footer = w.Get<Label>("标签2");
  EXPECT_EQ(footer.geometry(), QRect(-10, 352, 283, 24));
  EXPECT_EQ(footer.BorderStyle(), Border::kThinSunken);
  EXPECT_EQ(footer.geometry().intersected(w.rect()), QRect(0, 352, 259, 24));
  // The top edge is drawn in the shadow colour; the left edge lies outside the window.
  const QImage shown = w.grab().toImage();
  const QRgb shadow = w.palette().color(QPalette::Dark).rgb();
  EXPECT_EQ(shown.pixel(100, 352), shadow);
  EXPECT_NE(shown.pixel(0, 364), shadow);
}

class EditorWindowLayoutTest : public testing::Test {
 protected:
  EditorWindowLayoutTest() : window_(BuildWindow(EditorWindowLayout(), dialogs_)) {}
  ScriptedDialogs dialogs_;
  std::unique_ptr<Window> window_;
};

struct SwatchCase {
  const char* name;
  int left, top;
  ColourValue colour;
};

class PaletteSwatch : public testing::TestWithParam<SwatchCase> {
 protected:
  ScriptedDialogs dialogs_;
};

TEST_P(PaletteSwatch, HasItsPlaceColourAndBorder) {
  const SwatchCase& c = GetParam();
  auto window = BuildWindow(EditorWindowLayout(), dialogs_);
  auto& swatch = window->Get<Label>(c.name);
  EXPECT_EQ(swatch.geometry(), QRect(c.left, c.top, 16, 16));
  EXPECT_EQ(swatch.Background(), c.colour);
  EXPECT_EQ(swatch.BorderStyle(), Border::kSingle);
  EXPECT_TRUE(swatch.Text().isEmpty());
  // Drawn in its own colour inside the border.
  EXPECT_EQ(swatch.grab().toImage().pixel(8, 8), ToQColor(c.colour, Qt::magenta).rgb());
}

INSTANTIATE_TEST_SUITE_P(
    Editor, PaletteSwatch,
    testing::Values(
        SwatchCase{"标签左1", 11, 16, 0x000000FF}, SwatchCase{"标签左2", 11, 38, 0x000080FF},
        SwatchCase{"标签左3", 11, 60, 0x0000FFFF}, SwatchCase{"标签左4", 11, 82, 0x00008000},
        SwatchCase{"标签左5", 11, 104, 0x00FF0000}, SwatchCase{"标签左6", 11, 126, 0x00FFFFFF},
        SwatchCase{"标签左7", 11, 150, 0x00000000}, SwatchCase{"标签右1", 288, 16, 0x00000080},
        SwatchCase{"标签右2", 288, 38, 0x000060C0}, SwatchCase{"标签右3", 288, 60, 0x0000D8D8},
        SwatchCase{"标签右4", 288, 82, 0x0000FF00}, SwatchCase{"标签右5", 288, 104, 0x00FF8800},
        SwatchCase{"标签右6", 288, 126, 0x00C0C0C0}, SwatchCase{"标签右7", 288, 148, 0x00808080}),
    [](const auto& info) {
      const std::string name = info.param.name;  // 标签左1 -> left1
      return std::string(name.find("左") != std::string::npos ? "left" : "right") + name.back();
    });

TEST_F(EditorWindowLayoutTest, BrushMarkerLiesInFrontOfTheSwatchItOverlaps) {
  Window& w = *window_;
  auto& marker = w.Get<Label>("标签1");
  EXPECT_EQ(marker.geometry(), QRect(288, 88, 16, 16));
  EXPECT_EQ(marker.Background(), kDefaultColour);
  EXPECT_EQ(marker.BorderStyle(), Border::kNone);
  // 标签右4 covers 82 ... 97; the marker 88 ... 103. A press in the overlap reaches the marker.
  EXPECT_EQ(w.childAt(295, 92), &marker);
  EXPECT_EQ(w.childAt(295, 84), w.Find("标签右4"));
  // Moved over the view, it lies in front of the view too.
  marker.setGeometry(37 + 1 + 35, 8 + 1 + 10, 5, 5);
  EXPECT_EQ(w.childAt(37 + 1 + 36, 8 + 1 + 11), &marker);
}

TEST_F(EditorWindowLayoutTest, ViewHasASingleLineBorderAnd238PixelClientArea) {
  auto& view = window_->Get<PicBox>("图片框1");
  EXPECT_EQ(view.BorderStyle(), Border::kSingle);
  EXPECT_EQ(view.ClientRect(), QRect(1, 1, 238, 238));
}

TEST_F(EditorWindowLayoutTest, HiddenListBoxesLieOutsideTheWindowYetHoldTheirItems) {
  Window& w = *window_;
  for (const char* name : {"列表框1", "列表框2", "列表框3"}) {
    SCOPED_TRACE(name);
    auto& list = w.Get<ListBox>(name);
    EXPECT_FALSE(list.geometry().intersects(w.rect()));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.selectionMode(), QAbstractItemView::SingleSelection);
    EXPECT_FALSE(list.isSortingEnabled());
    list.AddItem("255", 30);
    list.AddItem("0", -1);
    list.AddItem("17", 2147483647);
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.ItemText(0), QStringLiteral("255"));
    EXPECT_EQ(list.ItemText(1), QStringLiteral("0"));  // not sorted
    EXPECT_EQ(list.ItemData(1), -1);
    EXPECT_EQ(list.ItemData(2), 2147483647);
    EXPECT_EQ(list.currentRow(), -1);
  }
  EXPECT_EQ(w.size(), QSize(316, 317));  // the window does not grow to show them
}

TEST_F(EditorWindowLayoutTest, StartsWithTheTablesValues) {
  Window& w = *window_;
  EXPECT_TRUE(w.windowTitle().trimmed().isEmpty());
  EXPECT_TRUE(w.Get<CheckBox>("选择框1").isChecked());
  EXPECT_EQ(w.Get<CheckBox>("选择框1").TextColour(), 0x00FF8800u);
  EXPECT_EQ(w.Get<ColorPicker>("颜色选择器1").Colour(), 0x00000000u);
  auto& link = w.Get<HyperLinker>("超级链接框1");
  EXPECT_EQ(link.Text(), QStringLiteral("操作说明"));
  EXPECT_EQ(link.Colours().link, 0x00FF0000u);
  EXPECT_EQ(link.Colours().visited, 0x00000080u);
  EXPECT_EQ(link.Colours().hover, 0x00C56A31u);
  EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(w.Get<Timer>("时钟1").Period(), 0);
}

TEST(InstructionsWindowLayoutTest, ShowsTwoLinesInBlackHeiti) {
  ScriptedDialogs dialogs;
  auto window = BuildWindow(InstructionsWindowLayout(), dialogs);
  auto& label = window->Get<Label>("标签1");
  EXPECT_EQ(label.Text(),
            QStringLiteral("功能：可以透明色块，可以增加色块！\r\n快捷：鼠标右键快捷撤销"));
  EXPECT_EQ(label.BorderStyle(), Border::kFrame);
  const QFontInfo font(label.font());
  EXPECT_EQ(font.family(), CjkFamily());
  EXPECT_EQ(font.pixelSize(), 16);
  EXPECT_FALSE(font.bold());
  EXPECT_TRUE(window->windowTitle().trimmed().isEmpty());
}

}  // namespace
}  // namespace quorvin::platform
