#include "editor/canvas_grid.h"

#include "core/icon_document.h"

namespace quorvin::editor {
namespace {

constexpr CanvasGrid kGrid48{48, 5};
constexpr CanvasGrid kGrid16{16, 15};

bool PixelInside(std::int64_t alpha, std::size_t length) {
  return alpha >= 4 && alpha <= static_cast<std::int64_t>(length);
}

}  // namespace

CanvasGrid GridForBuffer(const ByteSet& pixels) {
  return pixels.size() == 16u * 16u * 4u ? kGrid16 : kGrid48;
}

int SnapToCell(int v, const CanvasGrid& grid) {
  // Floor, not truncation: a pointer just left of or above the view stays out of the grid.
  const int q = v >= 0 ? v / grid.cellSize : -((-v + grid.cellSize - 1) / grid.cellSize);
  return q * grid.cellSize;
}

std::optional<std::int64_t> CellAlphaPosition(int snapX, int snapY, const CanvasGrid& grid,
                                              std::size_t bufferLength) {
  const int column = snapX / grid.cellSize + 1;
  const int row = snapY / grid.cellSize + 1;
  if (snapX < 0 || snapY < 0 || column > grid.cells || row > grid.cells) return std::nullopt;
  const std::int64_t p = AlphaPosition(column, row, grid.cells);
  if (!PixelInside(p, bufferLength)) return std::nullopt;
  return p;
}

UndoEntry ReadPixel(const ByteSet& pixels, std::int64_t position) {
  const std::size_t a = static_cast<std::size_t>(position - 1);  // 0-based alpha index
  return {static_cast<std::int32_t>(position), pixels[a], pixels[a - 1], pixels[a - 2],
          pixels[a - 3]};
}

UndoEntry PaintPixel(ByteSet& pixels, std::int64_t position, bool transparent, ColourValue brush) {
  const std::size_t a = static_cast<std::size_t>(position - 1);
  const UndoEntry old = ReadPixel(pixels, position);
  if (transparent) {
    pixels[a] = 0;
  } else {
    pixels[a] = 255;
    pixels[a - 1] = RedOf(brush);
    pixels[a - 2] = GreenOf(brush);
    pixels[a - 3] = BlueOf(brush);
  }
  return old;
}

bool RestorePixel(ByteSet& pixels, const UndoEntry& entry) {
  if (!PixelInside(entry.position, pixels.size())) return false;
  const std::size_t a = static_cast<std::size_t>(entry.position - 1);
  pixels[a] = entry.alpha;
  pixels[a - 1] = entry.red;
  pixels[a - 2] = entry.green;
  pixels[a - 3] = entry.blue;
  return true;
}

}  // namespace quorvin::editor
