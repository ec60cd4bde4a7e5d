#include "platform/snapshot.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>

namespace quorvin::platform {

namespace {

constexpr std::size_t kBmpHeaderBytes = 54;

void PutU16(ByteSet& out, std::size_t at, std::uint32_t value) {
  out[at] = static_cast<std::uint8_t>(value);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(ByteSet& out, std::size_t at, std::uint32_t value) {
  PutU16(out, at, value & 0xFFFF);
  PutU16(out, at + 2, value >> 16);
}

bool SideInRange(int side) {
  return side >= 1 && side <= kMaxSnapshotSide;
}

}  // namespace

ByteSet EncodeBmp24(const QImage& source) {
  if (source.isNull() || !SideInRange(source.width()) || !SideInRange(source.height())) return {};
  const QImage image = source.convertToFormat(QImage::Format_RGB32);
  const std::size_t w = static_cast<std::size_t>(image.width());
  const std::size_t h = static_cast<std::size_t>(image.height());
  // At most 4096 x 4096 pixels: the sizes below stay far under 2^32.
  const std::size_t rowBytes = (w * 3 + 3) & ~std::size_t{3};
  const std::size_t dataBytes = rowBytes * h;
  ByteSet out(kBmpHeaderBytes + dataBytes, 0);
  out[0] = 'B';
  out[1] = 'M';
  PutU32(out, 2, static_cast<std::uint32_t>(out.size()));
  PutU32(out, 10, kBmpHeaderBytes);
  PutU32(out, 14, 40);
  PutU32(out, 18, static_cast<std::uint32_t>(w));
  PutU32(out, 22, static_cast<std::uint32_t>(h));
  PutU16(out, 26, 1);
  PutU16(out, 28, 24);
  PutU32(out, 30, 0);  // BI_RGB
  PutU32(out, 34, static_cast<std::uint32_t>(dataBytes));
  for (std::size_t row = 0; row < h; ++row) {
    // The first stored row is the bottom one.
    const auto* pixels =
        reinterpret_cast<const QRgb*>(image.constScanLine(static_cast<int>(h - 1 - row)));
    std::uint8_t* out_row = out.data() + kBmpHeaderBytes + row * rowBytes;
    for (std::size_t x = 0; x < w; ++x) {
      out_row[x * 3] = static_cast<std::uint8_t>(qBlue(pixels[x]));
      out_row[x * 3 + 1] = static_cast<std::uint8_t>(qGreen(pixels[x]));
      out_row[x * 3 + 2] = static_cast<std::uint8_t>(qRed(pixels[x]));
    }
  }
  return out;
}

ByteSet TakeSnapshot(QWidget& control, int width, int height) {
  if (!SideInRange(width) || !SideInRange(height)) return {};
  const QPixmap shown = control.grab(control.rect());
  if (shown.isNull()) return {};
  const QImage image = shown.toImage().convertToFormat(QImage::Format_RGB32);
  return EncodeBmp24(image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace quorvin::platform
