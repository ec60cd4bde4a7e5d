#pragma once

#include "editor/program_state.h"
#include "platform/window_slot.h"

namespace quorvin::editor {

// The pixel editor as the main window sees it: at most one EditorWindow at a time, each opening
// built afresh from its layout, plus the instructions window it opens. The layouts come from the
// app, which owns them.
class Editor {
 public:
  Editor(const platform::WindowLayout& editorLayout,
         const platform::WindowLayout& instructionsLayout, ProgramState& state,
         platform::Dialogs& dialogs);

  // Opens the editor on the current icon, or restores and activates the open one.
  void Open();

  // The main window replaced the icon under an open editor (a new generation): the history's
  // entries belong to the old picture, so the editor drops them and shows the new icon.
  void DocumentReplaced();

  // The open editor window, or nullptr.
  platform::Window* Current() const { return editorSlot_.Current(); }
  platform::Window* CurrentInstructions() const { return instructionsSlot_.Current(); }

 private:
  void Bind(platform::Window& window);

  ProgramState& state_;
  platform::WindowSlot editorSlot_;
  platform::WindowSlot instructionsSlot_;
};

}  // namespace quorvin::editor
