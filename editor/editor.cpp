#include "editor/editor.h"

#include <array>

#include "editor/canvas.h"
#include "editor/undo_history.h"
#include "platform/controls/check_box.h"
#include "platform/controls/color_picker.h"
#include "platform/controls/label.h"

namespace quorvin::editor {

namespace {

using platform::Event;
using platform::EventArgs;
using platform::Window;

// The fourteen palette swatches; each gives the brush the background it has when pressed.
constexpr std::array<const char*, 14> kSwatches = {
    "标签左1", "标签左2", "标签左3", "标签左4", "标签左5", "标签左6", "标签左7",
    "标签右1", "标签右2", "标签右3", "标签右4", "标签右5", "标签右6", "标签右7",
};

// A chosen colour is painted with: it becomes the brush and "透明色" is unchecked.
void ChooseBrush(Window& window, ColourValue colour) {
  window.Get<platform::Label>("标签1").SetBackground(colour);
  window.Get<platform::CheckBox>("选择框1").setChecked(false);
}

}  // namespace

Editor::Editor(const platform::WindowLayout& editorLayout,
               const platform::WindowLayout& instructionsLayout, ProgramState& state,
               platform::Dialogs& dialogs)
    : state_(state),
      editorSlot_(editorLayout, dialogs, [this](Window& w) { Bind(w); }),
      instructionsSlot_(instructionsLayout, dialogs, [](Window&) {}) {}

void Editor::Open() {
  editorSlot_.Open();
}

void Editor::DocumentReplaced() {
  Window* window = Current();
  if (window == nullptr) return;
  UndoHistory(*window).Clear();
  Canvas canvas(*window, state_);
  canvas.FitGrid();
  canvas.ShowEditorIcon();
}

void Editor::Bind(Window& w) {
  ProgramState& state = state_;
  auto paint = [&w, &state](const EventArgs&) { Canvas(w, state).PaintCell(); };
  auto undo = [&w, &state](const EventArgs&) { Canvas(w, state).UndoLast(); };

  w.On(Event::kCreated, [&w, &state](const EventArgs&) { Canvas(w, state).Open(); });
  w.On("图片框1", Event::kPointerMoved,
       [&w, &state](const EventArgs& at) { Canvas(w, state).SnapPointer(at.x, at.y); });
  w.On("图片框1", Event::kLeftPress, paint);
  w.On("图片框1", Event::kRightPress, undo);
  w.On("标签1", Event::kLeftPress, paint);
  w.On("标签1", Event::kRightPress, undo);
  w.On("按钮1", Event::kClicked, undo);

  for (const char* swatch : kSwatches) {
    w.On(swatch, Event::kLeftPress, [&w, swatch](const EventArgs&) {
      ChooseBrush(w, w.Get<platform::Label>(swatch).Background());
    });
  }
  w.On("颜色选择器1", Event::kColourChanged, [&w](const EventArgs&) {
    ChooseBrush(w, w.Get<platform::ColorPicker>("颜色选择器1").Colour());
  });
  // The click has already toggled the box; either way the brush goes back to the default colour,
  // so unchecking it leaves a brush that paints opaque black.
  w.On("选择框1", Event::kClicked,
       [&w](const EventArgs&) { w.Get<platform::Label>("标签1").SetBackground(kDefaultColour); });

  w.On("按钮2", Event::kClicked, [&w, &state](const EventArgs&) {
    state.EditorDoneFlag = 1;
    w.Destroy();
  });
  w.On("超级链接框1", Event::kLeftPress, [this](const EventArgs&) { instructionsSlot_.Open(); });
}

}  // namespace quorvin::editor
