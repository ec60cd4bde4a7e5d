#include <gtest/gtest.h>

#include <QApplication>
#include <QMimeData>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QUrl>
#include <QWindow>

#include "platform/controls/button.h"
#include "platform/controls/check_box.h"
#include "platform/controls/color_picker.h"
#include "platform/controls/common_dlg.h"
#include "platform/controls/drop_target.h"
#include "platform/controls/hyper_linker.h"
#include "platform/controls/label.h"
#include "platform/controls/list_box.h"
#include "platform/controls/pic_box.h"
#include "platform/controls/slider_bar.h"
#include "platform/controls/timer.h"
#include "platform/scripted_dialogs.h"
#include "platform/window.h"
#include "tests/platform/test_layout.h"

namespace quorvin::platform {
namespace {

// Records every event of the test window's controls as "name event x,y text".
class ControlsTest : public testing::Test {
 protected:
  ControlsTest() : window_(BuildWindow(test::kTestLayout, dialogs_)) {
    for (const ControlSpec& desc : test::kTestLayout.controls) {
      for (int e = 0; e <= static_cast<int>(Event::kFilesDropped); ++e) {
        const Event event = static_cast<Event>(e);
        if (!desc.events.Has(event)) continue;
        const std::string name = desc.name;
        window_->On(name, event, [this, name, event](const EventArgs& a) {
          events_.push_back(name + " " + EventName(event) + " " + std::to_string(a.x) + "," +
                            std::to_string(a.y) +
                            (a.text.isEmpty() ? "" : " " + a.text.toStdString()));
        });
      }
    }
  }

  std::vector<std::string> TakeEvents() { return std::exchange(events_, {}); }

  ScriptedDialogs dialogs_;
  std::unique_ptr<Window> window_;
  std::vector<std::string> events_;
};

using Events = std::vector<std::string>;

TEST_F(ControlsTest, ButtonRaisesClickedForMouseAndSpace) {
  auto& button = window_->Get<Button>("按钮1");
  QTest::mouseClick(&button, Qt::LeftButton);
  QTest::keyClick(&button, Qt::Key_Space);
  EXPECT_EQ(TakeEvents(), (Events{"按钮1 clicked 0,0", "按钮1 clicked 0,0"}));
}

TEST_F(ControlsTest, CheckBoxTogglesBeforeClickedAndIsSilentWhenSetFromCode) {
  auto& box = window_->Get<CheckBox>("选择框1");
  std::vector<bool> stateSeen;
  window_->On("选择框1", Event::kClicked,
              [&](const EventArgs&) { stateSeen.push_back(box.isChecked()); });
  box.setChecked(false);
  box.setChecked(true);
  EXPECT_TRUE(stateSeen.empty());
  QTest::mouseClick(&box, Qt::LeftButton);                                   // on the box
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 5, 12));  // on the text side
  QTest::keyClick(&box, Qt::Key_Space);
  EXPECT_EQ(stateSeen, (std::vector<bool>{false, true, false}));
}

TEST_F(ControlsTest, LabelReportsPressesInClientCoordinates) {
  auto& label = window_->Get<Label>("标签1");  // single-line border
  QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(1, 1));
  QTest::mouseClick(&label, Qt::RightButton, {}, QPoint(10, 7));
  QTest::mouseClick(&label, Qt::MiddleButton, {}, QPoint(10, 7));
  EXPECT_EQ(TakeEvents(), (Events{"标签1 left press 0,0", "标签1 right press 9,6"}));
  label.SetBackground(0x00123456);
  EXPECT_EQ(label.Background(), 0x00123456u);
}

// A pointer move with no button down, as mouse tracking reports it.
void Hover(QWidget& widget, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&widget, &move);
}

TEST_F(ControlsTest, PicBoxReportsMovesAndPressesOverItsClientAreaOnly) {
  auto& box = window_->Get<PicBox>("图片框1");  // 60 x 60, single-line border
  Hover(box, QPoint(1, 1));
  Hover(box, QPoint(58, 58));
  Hover(box, QPoint(0, 30));  // on the border
  QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(30, 20));
  QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(30, 20));
  QTest::mousePress(&box, Qt::RightButton, {}, QPoint(5, 6));
  QTest::mouseRelease(&box, Qt::RightButton, {}, QPoint(5, 6));
  EXPECT_EQ(TakeEvents(), (Events{"图片框1 pointer moved 0,0", "图片框1 pointer moved 57,57",
                                  "图片框1 left press 29,19", "图片框1 right press 4,5"}));
}

TEST_F(ControlsTest, HyperLinkerRaisesLeftPressOnlyAndShowsItsColours) {
  auto& link = window_->Get<HyperLinker>("超级链接框1");
  EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(link.ShownColour(), 0x00FF0000u);
  QTest::mouseClick(&link, Qt::LeftButton, {}, QPoint(20, 8));
  QTest::mouseClick(&link, Qt::RightButton, {}, QPoint(20, 8));
  EXPECT_EQ(TakeEvents(), (Events{"超级链接框1 left press 20,8"}));
  EXPECT_EQ(link.ShownColour(), 0x00FF0000u);  // no visit: it keeps its link colour

  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&link, &enter);
  EXPECT_EQ(link.ShownColour(), 0x00C56A31u);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&link, &leave);
  EXPECT_EQ(link.ShownColour(), 0x00FF0000u);
}

TEST_F(ControlsTest, ListBoxKeepsItemsInOrderWithTheirData) {
  auto& list = window_->Get<ListBox>("列表框1");
  EXPECT_EQ(list.AddItem("b", 7), 0);
  EXPECT_EQ(list.AddItem("a", -2147483647 - 1), 1);
  EXPECT_EQ(list.AddItem("c"), 2);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.ItemText(0), QStringLiteral("b"));
  EXPECT_EQ(list.ItemData(1), -2147483647 - 1);
  EXPECT_EQ(list.ItemData(2), 0);
  EXPECT_TRUE(list.RemoveLast());
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ItemText(1), QStringLiteral("a"));
  EXPECT_EQ(list.ItemText(5), QString());
  EXPECT_EQ(list.ItemData(-1), 0);
  EXPECT_FALSE(list.RemoveItem(2));
  EXPECT_TRUE(list.RemoveLast());
  EXPECT_TRUE(list.RemoveLast());
  EXPECT_FALSE(list.RemoveLast());
}

class SliderTest : public ControlsTest {
 protected:
  SliderTest() : slider_(window_->Get<SliderBar>("滑块条1")) {
    window_->Open();
    slider_.setFocus();
  }

  QRect Handle() const {
    QStyleOptionSlider option;
    option.initFrom(&slider_);
    option.orientation = slider_.orientation();
    option.minimum = slider_.minimum();
    option.maximum = slider_.maximum();
    option.sliderPosition = slider_.sliderPosition();
    option.sliderValue = slider_.value();
    return slider_.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle,
                                           &slider_);
  }

  std::vector<int> positions_;
  SliderBar& slider_;
};

TEST_F(SliderTest, SettingThePositionFromCodeRaisesNothing) {
  slider_.SetPosition(80);
  slider_.SetPosition(150);  // kept within the range
  EXPECT_EQ(slider_.Position(), 100);
  slider_.SetRange(0, 50);
  EXPECT_EQ(slider_.Position(), 50);
  EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(SliderTest, EveryKeyStepRaisesPositionChanged) {
  window_->On("滑块条1", Event::kPositionChanged,
              [this](const EventArgs&) { positions_.push_back(slider_.Position()); });
  QTest::keyClick(&slider_, Qt::Key_Right);
  QTest::keyClick(&slider_, Qt::Key_Right);
  QTest::keyClick(&slider_, Qt::Key_Left);
  QTest::keyClick(&slider_, Qt::Key_End);
  QTest::keyClick(&slider_, Qt::Key_Home);
  EXPECT_EQ(positions_, (std::vector<int>{36, 37, 36, 100, 0}));
}

TEST_F(SliderTest, AClickInTheTrackMovesByOne) {
  window_->On("滑块条1", Event::kPositionChanged,
              [this](const EventArgs&) { positions_.push_back(slider_.Position()); });
  const QPoint right(slider_.width() - 3, slider_.height() / 2);
  QTest::mousePress(&slider_, Qt::LeftButton, {}, right);
  QTest::mouseRelease(&slider_, Qt::LeftButton, {}, right);
  EXPECT_EQ(positions_, (std::vector<int>{36}));
}

TEST_F(SliderTest, DraggingRaisesOnEveryStepAndNotOnRelease) {
  window_->On("滑块条1", Event::kPositionChanged,
              [this](const EventArgs&) { positions_.push_back(slider_.Position()); });
  const QPoint start = Handle().center();
  QTest::mousePress(&slider_, Qt::LeftButton, {}, start);
  for (int dx = 10; dx <= 40; dx += 10) QTest::mouseMove(&slider_, start + QPoint(dx, 0));
  const std::size_t whileDragging = positions_.size();
  QTest::mouseRelease(&slider_, Qt::LeftButton, {}, start + QPoint(40, 0));
  ASSERT_EQ(whileDragging, 4u);
  EXPECT_EQ(positions_.size(), whileDragging);
  EXPECT_GT(slider_.Position(), 35);
  EXPECT_EQ(positions_.back(), slider_.Position());
}

class ColorPickerTest : public ControlsTest {
 protected:
  ColorPickerTest() : picker_(window_->Get<ColorPicker>("颜色选择器1")) { window_->Open(); }

  ColourDropDown* ClickPicker() {
    QTest::mouseClick(&picker_, Qt::LeftButton);
    return picker_.DropDown();
  }

  ColorPicker& picker_;
};

TEST_F(ColorPickerTest, OffersNoTransparentChoice) {
  for (ColourValue c : DropDownColours()) EXPECT_EQ(c & 0xFF000000u, 0u);
  EXPECT_EQ(DropDownColours().size(), 40u);
}

TEST_F(ColorPickerTest, ChoosingASwatchSetsTheColourThenRaisesColourChanged) {
  ColourValue seen = 1;
  window_->On("颜色选择器1", Event::kColourChanged,
              [&](const EventArgs&) { seen = picker_.Colour(); });
  ColourDropDown* dropDown = ClickPicker();
  ASSERT_NE(dropDown, nullptr);
  EXPECT_TRUE(dropDown->isVisible());
  QTest::mouseClick(dropDown->findChild<QWidget*>("swatch13"), Qt::LeftButton);
  EXPECT_EQ(seen, DropDownColours()[13]);
  EXPECT_EQ(picker_.Colour(), DropDownColours()[13]);
  EXPECT_EQ(picker_.DropDown(), nullptr);
}

TEST_F(ColorPickerTest, ChoosingTheColourAlreadyShownStillRaises) {
  dialogs_.AnswerColour(0x00000000);  // the same black through "其他颜色..."
  ColourDropDown* dropDown = ClickPicker();
  QTest::mouseClick(dropDown->findChild<QWidget*>("swatch0"), Qt::LeftButton);  // black
  dropDown = ClickPicker();
  QTest::mouseClick(dropDown->findChild<QWidget*>("otherColour"), Qt::LeftButton);
  EXPECT_EQ(TakeEvents(),
            (Events{"颜色选择器1 colour changed 0,0", "颜色选择器1 colour changed 0,0"}));
  EXPECT_EQ(dialogs_.colourRequests, std::vector<ColourValue>{0x00000000});
}

TEST_F(ColorPickerTest, OtherColourComesFromTheColourDialog) {
  dialogs_.AnswerColour(0x00C56A31);
  QTest::mouseClick(ClickPicker()->findChild<QWidget*>("otherColour"), Qt::LeftButton);
  EXPECT_EQ(picker_.Colour(), 0x00C56A31u);
  EXPECT_EQ(TakeEvents(), (Events{"颜色选择器1 colour changed 0,0"}));
}

TEST_F(ColorPickerTest, CancellingRaisesNothing) {
  picker_.SetColour(0x000000FF);
  QTest::keyClick(ClickPicker(), Qt::Key_Escape);  // closes the drop-down
  EXPECT_EQ(picker_.DropDown(), nullptr);
  QTest::mouseClick(ClickPicker()->findChild<QWidget*>("otherColour"),
                    Qt::LeftButton);  // cancelled
  EXPECT_EQ(dialogs_.unansweredColourDialogs, 1);
  EXPECT_EQ(picker_.Colour(), 0x000000FFu);
  EXPECT_TRUE(TakeEvents().empty());
}

TEST_F(ControlsTest, TimerTicksOnlyWithAPositivePeriod) {
  auto& timer = window_->Get<Timer>("时钟1");
  timer.SetPeriod(1000);
  EXPECT_TRUE(timer.IsRunning());
  EXPECT_EQ(timer.Period(), 1000);
  timer.SetPeriod(-5);
  EXPECT_FALSE(timer.IsRunning());
  EXPECT_EQ(timer.Period(), 0);

  int ticks = 0;
  window_->On("时钟1", Event::kTick, [&](const EventArgs&) {
    if (++ticks == 2) timer.SetPeriod(0);  // a handler may stop its own timer
  });
  timer.SetPeriod(1);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !timer.IsRunning(); }, 5000));
  EXPECT_EQ(ticks, 2);
}

TEST_F(ControlsTest, CommonDlgKeepsItsFileNameBetweenUses) {
  auto& dialog = window_->Get<CommonDlg>("通用对话框1");
  dialogs_.AnswerFile(QStringLiteral("/pictures/a.jpg"));
  dialogs_.AnswerFile(std::nullopt);
  dialogs_.AnswerFile(QStringLiteral("/icons/photo"));
  dialog.SetType(CommonDlg::kOpen);
  dialog.SetFilter(QStringLiteral("图片文件（*.jpg;*.bmp）|*.jpg;*.bmp"));
  ASSERT_TRUE(dialog.Show());
  EXPECT_EQ(dialog.FileName(), QStringLiteral("/pictures/a.jpg"));

  dialog.SetType(CommonDlg::kSave);
  dialog.SetDefaultExtension(QStringLiteral("ico"));
  EXPECT_FALSE(dialog.Show());  // cancelled: nothing changes
  EXPECT_EQ(dialog.FileName(), QStringLiteral("/pictures/a.jpg"));
  ASSERT_TRUE(dialog.Show());
  EXPECT_EQ(dialog.FileName(), QStringLiteral("/icons/photo.ico"));

  ASSERT_EQ(dialogs_.fileRequests.size(), 3u);
  EXPECT_FALSE(dialogs_.fileRequests[0].save);
  EXPECT_EQ(dialogs_.fileRequests[0].filter, QStringLiteral("图片文件（*.jpg;*.bmp）|*.jpg;*.bmp"));
  EXPECT_TRUE(dialogs_.fileRequests[1].save);
  EXPECT_EQ(dialogs_.fileRequests[1].fileName, QStringLiteral("/pictures/a.jpg"));
  EXPECT_EQ(dialogs_.fileRequests[2].defaultExtension, QStringLiteral("ico"));
}

class DropTest : public ControlsTest {
 protected:
  DropTest() : target_(window_->Get<DropTarget>("拖放对象1")) {
    target_.RegisterOn(*window_);
    window_->Open();
  }

  // A drag over `at` (window coordinates) and a drop there, delivered to the native window so
  // that Qt finds the widget under the point as it does for a real drag.
  bool Drop(const QList<QUrl>& urls, QPoint at) {
    QMimeData data;
    data.setUrls(urls);
    QWindow* native = window_->windowHandle();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(native, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(native, &drop);
    QCoreApplication::processEvents();  // the event is raised once the drop is over
    return drop.isAccepted();
  }

  DropTarget& target_;
};

TEST_F(DropTest, OneFileDroppedOnAnyControlPassesItsPath) {
  const QPoint overButton = window_->Get<Button>("按钮1").geometry().center();
  const QPoint overPicture = QPoint(4 + 10 + 30, 4 + 12 + 30);
  EXPECT_TRUE(Drop({QUrl::fromLocalFile("/tmp/照片.jpg")}, overButton));
  EXPECT_TRUE(Drop({QUrl::fromLocalFile("/tmp/b.bmp")}, overPicture));
  EXPECT_EQ(TakeEvents(), (Events{"拖放对象1 files dropped 0,0 /tmp/照片.jpg",
                                  "拖放对象1 files dropped 0,0 /tmp/b.bmp"}));
}

TEST_F(DropTest, SeveralFilesPassEveryPathFollowedByCrLf) {
  EXPECT_TRUE(Drop({QUrl::fromLocalFile("/tmp/a.jpg"), QUrl::fromLocalFile("/tmp/b.jpg")}, {2, 2}));
  EXPECT_EQ(TakeEvents(), (Events{"拖放对象1 files dropped 0,0 /tmp/a.jpg\r\n/tmp/b.jpg\r\n"}));
}

TEST_F(DropTest, NothingIsTakenWithAcceptFilesOffOrWithoutFiles) {
  target_.SetAcceptFiles(false);
  EXPECT_FALSE(Drop({QUrl::fromLocalFile("/tmp/a.jpg")}, {2, 2}));
  target_.SetAcceptFiles(true);
  EXPECT_FALSE(Drop({QUrl("https://example.com/a.jpg")}, {2, 2}));
  EXPECT_TRUE(TakeEvents().empty());
}

}  // namespace
}  // namespace quorvin::platform
