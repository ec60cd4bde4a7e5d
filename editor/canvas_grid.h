#pragma once

#include <cstdint>
#include <optional>

#include "core/byte_set.h"
#include "core/colour.h"

namespace quorvin::editor {

// The editor's grid over its 238 x 238 view. A 48 x 48 icon gets 48 columns of 5 view pixels (the
// last one only 3 wide inside the view); a 16 x 16 icon gets 16 columns of 15, so the cell under
// the pointer is always the pixel that is painted.
struct CanvasGrid {
  int cells;     // cells a side: the icon's edge length
  int cellSize;  // view pixels a cell side
};

// The grid for a pixel buffer: 16 x 16 for a complete 16 x 16 buffer, else the 48 x 48 grid.
CanvasGrid GridForBuffer(const ByteSet& pixels);

// The top-left view coordinate of the cell holding view coordinate v (floor to the cell).
int SnapToCell(int v, const CanvasGrid& grid);

// 1-based position of the alpha byte of the cell whose top-left corner is (snapX, snapY), or
// nothing when that pixel does not lie wholly inside the buffer.
std::optional<std::int64_t> CellAlphaPosition(int snapX, int snapY, const CanvasGrid& grid,
                                              std::size_t bufferLength);

// One pixel as it was before a paint.
struct UndoEntry {
  std::int32_t position;  // alpha byte; red at -1, green -2, blue -3 (1-based)
  std::uint8_t alpha, red, green, blue;
};

// The four bytes of the pixel whose alpha byte is at `position`, which must come from
// CellAlphaPosition for this buffer.
UndoEntry ReadPixel(const ByteSet& pixels, std::int64_t position);

// Paints the pixel whose alpha byte is at `position`: transparent paint sets alpha 0 and keeps the
// colour; colour paint writes alpha 255 and the brush's red, green and blue (its top byte is not
// used, so the default-colour mark paints opaque black). Returns the pixel's old bytes. The
// position must come from CellAlphaPosition for this buffer.
UndoEntry PaintPixel(ByteSet& pixels, std::int64_t position, bool transparent, ColourValue brush);

// Writes an entry's bytes back; false, and nothing written, when its pixel is not inside the
// buffer.
bool RestorePixel(ByteSet& pixels, const UndoEntry& entry);

}  // namespace quorvin::editor
