#pragma once

#include "core/byte_set.h"

class QImage;
class QWidget;

namespace quorvin::platform {

// The control's whole outer rectangle as it is drawn (its border and the controls it holds
// included), scaled to width x height with averaging, as a 24-bit bottom-up BMP file image with
// a 54-byte header. Empty on failure: nothing rendered, or a size outside 1 ... kMaxSnapshotSide.
ByteSet TakeSnapshot(QWidget& control, int width, int height);

inline constexpr int kMaxSnapshotSide = 4096;

// A 24-bit BMP file image of `image`: "BM", file size, offset 54, a 40-byte BITMAPINFOHEADER with
// a positive height (rows bottom-up), BI_RGB, and rows of blue, green, red padded to 4 bytes.
// Empty for a null image or one larger than kMaxSnapshotSide on a side.
ByteSet EncodeBmp24(const QImage& image);

}  // namespace quorvin::platform
