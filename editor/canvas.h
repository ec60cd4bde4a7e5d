#pragma once

#include "editor/canvas_grid.h"
#include "editor/program_state.h"

namespace quorvin::platform {
class CheckBox;
class Label;
class PicBox;
class Window;
}  // namespace quorvin::platform

namespace quorvin::editor {

// The zoomed editing surface of one editor window: the view 图片框1 shows IconBytes stretched, the
// brush marker 标签1 follows the pointer from cell to cell and its background is the brush, and a
// paint changes one pixel of the document in place. The canvas keeps nothing of its own: it works
// on the window's controls and the program state, so one can be made for any event.
class Canvas {
 public:
  Canvas(const platform::Window& editorWindow, ProgramState& state);

  // The opening steps: show the icon, then give the marker the grid's cell size.
  void Open();

  // A pointer move over the view, in view client coordinates: remembers the cell and puts the
  // marker over it. Positions outside the view's client area change nothing.
  void SnapPointer(int x, int y);

  // Paints the cell last snapped to, with the brush or, while "透明色" is checked, with
  // transparency. The pixel's old bytes go onto the history first, also when the paint changes
  // nothing. A cell with no pixel under it in the buffer paints nothing.
  void PaintCell();

  // Writes the newest history entry back, or says "已到达最初状态" when there is none.
  void UndoLast();

  // The view shows the current IconBytes.
  void ShowEditorIcon();

  // The buffer under the editor was replaced, perhaps at the other size: the marker and the
  // snapped cell follow the grid of the new buffer.
  void FitGrid();

  // 48 x 48 cells of 5 view pixels, or 16 x 16 of 15 for a 16 x 16 icon.
  CanvasGrid Grid() const;

 private:
  const platform::Window& window_;
  ProgramState& state_;
  platform::PicBox& view_;
  platform::Label& marker_;
  platform::CheckBox& transparent_;
};

inline constexpr const char* kNothingToUndo = "已到达最初状态";

}  // namespace quorvin::editor
