#pragma once

#include <optional>

#include "editor/canvas_grid.h"

namespace quorvin::platform {
class ListBox;
class Window;
}  // namespace quorvin::platform

namespace quorvin::editor {

// The paints of one opening of the editor, newest last, kept in the editor window's three hidden
// list boxes so that the history lives and dies with the window. Each entry is one item in each
// list:
//   列表框1: text alpha, datum red
//   列表框2: text green, datum blue
//   列表框3: text position, datum 0
// The count of 列表框3 is the size of the history. Numbers are plain decimal text.
class UndoHistory {
 public:
  explicit UndoHistory(const platform::Window& editorWindow);

  void PushUndo(const UndoEntry& entry);
  // The newest entry, taken off the history; nothing when it is empty.
  std::optional<UndoEntry> TakeNewest();
  int Size() const;
  void Clear();

 private:
  platform::ListBox& alphaRed_;
  platform::ListBox& greenBlue_;
  platform::ListBox& positions_;
};

}  // namespace quorvin::editor
