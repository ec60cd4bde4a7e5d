#include "editor/editor.h"

namespace quorvin::editor {

Editor::Editor(const platform::WindowLayout& editorLayout,
               const platform::WindowLayout& instructionsLayout, ProgramState& state,
               platform::Dialogs& dialogs)
    : state_(state),
      editorSlot_(editorLayout, dialogs, [this](platform::Window& w) { Bind(w); }),
      instructionsSlot_(instructionsLayout, dialogs, [](platform::Window&) {}) {}

void Editor::Open() {
  editorSlot_.Open();
}

void Editor::DocumentReplaced() {}

void Editor::Bind(platform::Window&) {}

}  // namespace quorvin::editor
