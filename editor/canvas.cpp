#include "editor/canvas.h"

#include "editor/undo_history.h"
#include "platform/controls/check_box.h"
#include "platform/controls/label.h"
#include "platform/controls/pic_box.h"
#include "platform/dialogs.h"
#include "platform/window.h"

namespace quorvin::editor {

Canvas::Canvas(const platform::Window& editorWindow, ProgramState& state)
    : window_(editorWindow),
      state_(state),
      view_(editorWindow.Get<platform::PicBox>("图片框1")),
      marker_(editorWindow.Get<platform::Label>("标签1")),
      transparent_(editorWindow.Get<platform::CheckBox>("选择框1")) {}

CanvasGrid Canvas::Grid() const {
  return GridForBuffer(state_.document.PixelBuffer);
}

void Canvas::Open() {
  ShowEditorIcon();
  FitGrid();
}

void Canvas::ShowEditorIcon() {
  view_.SetPicture(state_.document.IconBytes);
}

void Canvas::SnapPointer(int x, int y) {
  const QSize client = view_.ClientRect().size();
  if (x < 0 || y < 0 || x >= client.width() || y >= client.height()) return;
  const CanvasGrid grid = Grid();
  state_.SnapX = SnapToCell(x, grid);
  state_.SnapY = SnapToCell(y, grid);
  // The marker is placed from the view's outer corner, so it stands one border pixel up and left
  // of the cell it marks.
  marker_.move(view_.x() + state_.SnapX, view_.y() + state_.SnapY);
}

void Canvas::FitGrid() {
  const CanvasGrid grid = Grid();
  marker_.resize(grid.cellSize, grid.cellSize);
  // Snapped values of the other grid name the cell that holds their corner in this one.
  state_.SnapX = SnapToCell(state_.SnapX, grid);
  state_.SnapY = SnapToCell(state_.SnapY, grid);
  // A marker still at its designed place beside the view waits there for the first move.
  if (view_.geometry().contains(marker_.pos())) {
    marker_.move(view_.x() + state_.SnapX, view_.y() + state_.SnapY);
  }
}

void Canvas::PaintCell() {
  ByteSet& pixels = state_.document.PixelBuffer;
  const std::optional<std::int64_t> position =
      CellAlphaPosition(state_.SnapX, state_.SnapY, Grid(), pixels.size());
  if (!position) return;
  UndoHistory(window_).PushUndo(ReadPixel(pixels, *position));
  const bool transparent = transparent_.isChecked();
  const ColourValue brush = marker_.Background();
  if (!transparent) {
    state_.brushBytes = {RedOf(brush), GreenOf(brush), BlueOf(brush),
                         static_cast<std::uint8_t>(brush >> 24)};
  }
  PaintPixel(pixels, *position, transparent, brush);
  state_.document.AssembleIcon();
  ShowEditorIcon();
}

void Canvas::UndoLast() {
  const std::optional<UndoEntry> newest = UndoHistory(window_).TakeNewest();
  if (!newest) {
    window_.dialogs().ShowMessage(QString::fromUtf8(kNothingToUndo));
    return;
  }
  // An entry whose pixel is not in the buffer any more is dropped without writing.
  if (!RestorePixel(state_.document.PixelBuffer, *newest)) return;
  state_.document.AssembleIcon();
  ShowEditorIcon();
}

}  // namespace quorvin::editor
