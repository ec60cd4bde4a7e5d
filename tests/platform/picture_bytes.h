#pragma once

#include <QBuffer>
#include <QImage>
#include <functional>

#include "core/byte_set.h"
#include "core/icon_document.h"
#include "platform/snapshot.h"

// Picture files made in memory for the picture box tests.
namespace quorvin::platform::test {

// A 24-bit BMP of w x h whose pixel (x, y), top row 0, is colour(x, y).
inline ByteSet Bmp24(int w, int h, const std::function<QRgb(int, int)>& colour) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.setPixel(x, y, colour(x, y));
  }
  return EncodeBmp24(image);
}

// A PNG with straight alpha.
inline ByteSet Png(int w, int h, const std::function<QRgb(int, int)>& colour) {
  QImage image(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.setPixel(x, y, colour(x, y));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return ByteSet(bytes.begin(), bytes.end());
}

// The program's own 32-bit icon of n x n (48 or 16) with pixel (x, y), top row 0, of the given
// straight ARGB.
inline ByteSet Icon(int n, const std::function<QRgb(int, int)>& colour) {
  IconDocument doc;
  doc.SelectIconSize(n);
  doc.PixelBuffer.resize(static_cast<std::size_t>(n) * n * 4);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      const QRgb c = colour(x, y);
      const std::size_t alpha = static_cast<std::size_t>(AlphaPosition(x + 1, y + 1, n)) - 1;
      doc.PixelBuffer[alpha - 3] = static_cast<std::uint8_t>(qBlue(c));
      doc.PixelBuffer[alpha - 2] = static_cast<std::uint8_t>(qGreen(c));
      doc.PixelBuffer[alpha - 1] = static_cast<std::uint8_t>(qRed(c));
      doc.PixelBuffer[alpha] = static_cast<std::uint8_t>(qAlpha(c));
    }
  }
  return doc.AssembleIcon();
}

}  // namespace quorvin::platform::test
