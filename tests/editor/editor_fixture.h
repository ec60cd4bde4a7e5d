#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QTest>
#include <string_view>

#include "app/layouts/layouts.h"
#include "editor/editor.h"
#include "editor/program_state.h"
#include "platform/controls/check_box.h"
#include "platform/controls/color_picker.h"
#include "platform/controls/colour_drop_down.h"
#include "platform/controls/label.h"
#include "platform/controls/list_box.h"
#include "platform/controls/pic_box.h"
#include "platform/scripted_dialogs.h"
#include "platform/window.h"
#include "tests/editor/test_icons.h"

namespace quorvin::editor::test {

// An editor over a document that holds a generated icon, driven through the real widgets.
class EditorTest : public testing::Test {
 protected:
  EditorTest()
      : editor_(layouts::EditorWindowLayout(), layouts::InstructionsWindowLayout(), state_,
                dialogs_) {
    LoadIcon(48);
  }

  ~EditorTest() override {
    // Windows have no parent: close them so that none is left for the next test.
    for (platform::Window* w : {editor_.Current(), editor_.CurrentInstructions()}) {
      if (w != nullptr) w->Destroy();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // What a generation in the main window leaves: a buffer of that size and its icon.
  void LoadIcon(int size, int seed = 0) {
    state_.document.SelectIconSize(size);
    state_.document.PixelBuffer = TestPixels(size, seed);
    state_.document.AssembleIcon();
  }

  platform::Window& OpenEditor() {
    editor_.Open();
    EXPECT_NE(editor_.Current(), nullptr);
    return *editor_.Current();
  }

  platform::Window& Win() const { return *editor_.Current(); }
  template <class T>
  T& Get(std::string_view name) const {
    return Win().Get<T>(name);
  }
  platform::PicBox& View() const { return Get<platform::PicBox>("图片框1"); }
  platform::Label& Marker() const { return Get<platform::Label>("标签1"); }
  platform::CheckBox& TransparentBox() const { return Get<platform::CheckBox>("选择框1"); }
  ColourValue Brush() const { return Marker().Background(); }
  int HistorySize() const { return Get<platform::ListBox>("列表框3").Count(); }

  // Moves the pointer to (x, y) in the view's client area as a real pointer would: the move
  // reaches whatever widget lies there, the brush marker included.
  void PointTo(int x, int y) {
    // A move to where the pointer already is raises nothing; start from off the window.
    QCursor::setPos(0, 0);
    QTest::mouseMove(&View(), View().ClientRect().topLeft() + QPoint(x, y));
  }

  void PressView(Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(&View(), button, {}, View().ClientRect().center());
  }
  void PressMarker(Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(&Marker(), button);
  }
  // A left press on a label (swatch) or a click on a button or check box, by name.
  void Press(std::string_view name) {
    QObject* control = Win().Find(name);
    ASSERT_NE(control, nullptr) << name;
    QTest::mouseClick(static_cast<QWidget*>(control), Qt::LeftButton);
  }
  // Chooses `colour` in the colour picker through its "其他颜色..." entry; nothing cancels.
  void PickColour(std::optional<ColourValue> colour) {
    dialogs_.AnswerColour(colour);
    auto& picker = Get<platform::ColorPicker>("颜色选择器1");
    QTest::mouseClick(&picker, Qt::LeftButton);
    ASSERT_NE(picker.DropDown(), nullptr);
    QTest::mouseClick(picker.DropDown()->findChild<QWidget*>("otherColour"), Qt::LeftButton);
  }

  Bgra PixelAt(std::int64_t alphaPosition) const {
    return PixelOf(state_.document.PixelBuffer, alphaPosition);
  }

  ProgramState state_;
  platform::ScriptedDialogs dialogs_;
  Editor editor_;
};

}  // namespace quorvin::editor::test
