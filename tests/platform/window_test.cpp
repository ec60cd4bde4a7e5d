#include "platform/window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTest>

#include "platform/controls/button.h"
#include "platform/controls/check_box.h"
#include "platform/controls/label.h"
#include "platform/controls/pic_box.h"
#include "platform/controls/timer.h"
#include "platform/scripted_dialogs.h"
#include "platform/window_slot.h"
#include "tests/platform/test_layout.h"

namespace quorvin::platform {
namespace {

using test::kTestLayout;

class WindowTest : public testing::Test {
 protected:
  std::unique_ptr<Window> Build() { return BuildWindow(kTestLayout, dialogs_); }
  ScriptedDialogs dialogs_;
};

TEST_F(WindowTest, ControlsAreAddressedByNameWithTheirKind) {
  auto window = Build();
  EXPECT_EQ(window->Get<PicBox>("图片框1").geometry(), QRect(10, 12, 60, 60));
  EXPECT_EQ(window->Get<Label>("标签1").Text(), QStringLiteral("标签"));
  EXPECT_EQ(window->Get<Timer>("时钟1").Period(), 0);
  EXPECT_THROW(window->Get<Label>("按钮1"), std::logic_error);  // another kind
  EXPECT_THROW(window->Get<Label>("标签9"), std::logic_error);  // no such control
  EXPECT_EQ(window->Find("标签9"), nullptr);
}

TEST_F(WindowTest, ClientSizeIsTheOuterSizeLessFrameAndCaptionAndFixed) {
  auto window = Build();
  EXPECT_EQ(window->size(), QSize(226 - 6, 200 - 29));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
}

TEST_F(WindowTest, ContainedControlsAreChildrenPlacedInsideTheContainersClientArea) {
  auto window = Build();
  auto& box = window->Get<PicBox>("图片框1");
  auto& inner = window->Get<Label>("标签内");
  EXPECT_EQ(box.parentWidget(), window->Find("分组框1"));
  EXPECT_EQ(inner.parentWidget(), &box);
  // The picture box's one-pixel border moves its client area in by one.
  EXPECT_EQ(inner.geometry(), QRect(6, 7, 10, 10));
}

TEST_F(WindowTest, OnlyPromisedEventsCanBeBoundAndUnboundOnesAreListed) {
  auto window = Build();
  const std::vector<std::string> all = window->UnboundEvents();
  EXPECT_NE(std::find(all.begin(), all.end(), "TestWindow created"), all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), "图片框1 pointer moved"), all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), "拖放对象1 files dropped"), all.end());
  EXPECT_EQ(all.size(), 14u);

  EXPECT_THROW(window->On("按钮1", Event::kLeftPress, [](const EventArgs&) {}), std::logic_error);
  EXPECT_THROW(window->On("标签9", Event::kClicked, [](const EventArgs&) {}), std::logic_error);
  EXPECT_THROW(window->On(Event::kTick, [](const EventArgs&) {}), std::logic_error);

  window->On("按钮1", Event::kClicked, [](const EventArgs&) {});
  EXPECT_EQ(window->UnboundEvents().size(), 13u);
}

TEST_F(WindowTest, CreatedRunsOnceWhenOpenedWithEveryControlInPlace) {
  auto window = Build();
  int created = 0;
  bool checkedAtCreation = false;
  window->On(Event::kCreated, [&](const EventArgs&) {
    ++created;
    checkedAtCreation = window->Get<CheckBox>("选择框1").isChecked();
    EXPECT_FALSE(window->isVisible());
  });
  EXPECT_EQ(created, 0);  // building runs no handler
  window->Open();
  EXPECT_EQ(created, 1);
  EXPECT_TRUE(checkedAtCreation);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->pos(), CentredPlace(kTestLayout));
  window->Open();
  EXPECT_EQ(created, 1);
}

TEST_F(WindowTest, EscClosesTheWindowAndRaisesAboutToBeDestroyedOnce) {
  auto window = Build();
  int destroyed = 0;
  window->On(Event::kAboutToBeDestroyed, [&](const EventArgs&) { ++destroyed; });
  window->Open();
  // Esc pressed while a button has the focus reaches the window.
  auto& button = window->Get<Button>("按钮1");
  button.setFocus();
  QTest::keyClick(&button, Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
  EXPECT_TRUE(window->IsClosed());
  EXPECT_EQ(destroyed, 1);
}

TEST_F(WindowTest, EnterNeitherClosesNorMovesTheFocus) {
  auto window = Build();
  int clicks = 0;
  window->On("按钮1", Event::kClicked, [&](const EventArgs&) { ++clicks; });
  window->Open();
  QApplication::setActiveWindow(window.get());
  auto& button = window->Get<Button>("按钮1");
  button.setFocus();
  QTest::keyClick(&button, Qt::Key_Return);
  QTest::keyClick(&button, Qt::Key_Enter);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(QApplication::focusWidget(), &button);
}

TEST_F(WindowTest, HandlersGetTheirControlsEvents) {
  auto window = Build();
  std::vector<std::string> seen;
  window->On("按钮1", Event::kClicked, [&](const EventArgs&) { seen.push_back("按钮1"); });
  window->On("标签1", Event::kLeftPress, [&](const EventArgs& a) {
    seen.push_back("标签1 " + std::to_string(a.x) + "," + std::to_string(a.y));
  });
  QTest::mouseClick(&window->Get<Button>("按钮1"), Qt::LeftButton);
  QTest::mouseClick(&window->Get<Label>("标签1"), Qt::LeftButton, {}, QPoint(5, 6));
  EXPECT_EQ(seen, (std::vector<std::string>{"按钮1", "标签1 4,5"}));
}

TEST_F(WindowTest, FlagsFollowTheLayout) {
  auto window = Build();
  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_EQ(window->windowType(), Qt::Window);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("测试"));

  WindowLayout toolLayout = kTestLayout;
  toolLayout.minimiseButton = false;
  toolLayout.taskbarButton = false;
  auto tool = BuildWindow(toolLayout, dialogs_);
  EXPECT_EQ(tool->windowType(), Qt::Tool);
  EXPECT_FALSE(tool->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(tool->windowFlags() & Qt::WindowMaximizeButtonHint);
}

constexpr ControlSpec kContainerLater[] = {
    {.kind = ControlKind::kLabel, .name = "标签1", .container = "分组框1"},
    {.kind = ControlKind::kGroupBox, .name = "分组框1"},
};
constexpr ControlSpec kLabelAsContainer[] = {
    {.kind = ControlKind::kLabel, .name = "标签1"},
    {.kind = ControlKind::kLabel, .name = "标签2", .container = "标签1"},
};
constexpr ControlSpec kTwiceTheSameName[] = {
    {.kind = ControlKind::kLabel, .name = "标签1"},
    {.kind = ControlKind::kButton, .name = "标签1"},
};

TEST_F(WindowTest, BrokenLayoutsAreRefused) {
  for (std::span<const ControlSpec> controls : {std::span<const ControlSpec>(kContainerLater),
                                                std::span<const ControlSpec>(kLabelAsContainer),
                                                std::span<const ControlSpec>(kTwiceTheSameName)}) {
    WindowLayout layout = kTestLayout;
    layout.controls = controls;
    EXPECT_THROW(BuildWindow(layout, dialogs_), std::logic_error);
  }
}

TEST_F(WindowTest, SlotKeepsOneWindowAndBuildsAfreshAfterClosing) {
  int binds = 0;
  WindowSlot slot(kTestLayout, dialogs_, [&](Window& w) {
    ++binds;
    w.On(Event::kCreated, [&w](const EventArgs&) { w.Get<Label>("标签1").SetText("改"); });
  });
  EXPECT_EQ(slot.Current(), nullptr);
  Window& first = slot.Open();
  QPointer<Window> firstAlive(&first);
  first.Get<CheckBox>("选择框1").setChecked(false);
  first.showMinimized();
  EXPECT_EQ(&slot.Open(), &first);  // already open: restored, not rebuilt
  EXPECT_FALSE(first.isMinimized());
  EXPECT_EQ(binds, 1);

  first.Destroy();
  EXPECT_EQ(slot.Current(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(firstAlive.isNull());  // closing deletes it

  Window& second = slot.Open();
  EXPECT_EQ(binds, 2);
  EXPECT_TRUE(second.Get<CheckBox>("选择框1").isChecked());  // from the layout again
  EXPECT_EQ(second.Get<Label>("标签1").Text(), QStringLiteral("改"));
  second.Destroy();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace quorvin::platform
