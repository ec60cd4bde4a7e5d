#include "platform/app_icon.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QPixmap>

#include "platform/codecs/decode.h"

namespace quorvin::platform {

// Generated at build time by tools/make_app_icon.
extern const unsigned char kAppIconIco[];
extern const std::size_t kAppIconIcoSize;

std::span<const std::uint8_t> AppIconBytes() {
  return {kAppIconIco, kAppIconIcoSize};
}

namespace {

QIcon ReadIcon() {
  const std::span<const std::uint8_t> bytes = AppIconBytes();
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "ico");
  QIcon icon;
  for (int i = 0; i < reader.imageCount(); ++i) {
    if (!reader.jumpToImage(i)) break;
    const QImage image = reader.read();
    if (!image.isNull()) icon.addPixmap(QPixmap::fromImage(image));
  }
  if (!icon.isNull()) return icon;
  // Without Qt's ICO plug-in, the program's own decoder gives one image of it.
  const codecs::DecodeResult decoded = codecs::DecodePicture(bytes);
  if (!decoded.picture) return icon;
  const codecs::Picture& p = *decoded.picture;
  const QImage image(p.bgra.data(), p.width, p.height, p.width * 4, QImage::Format_ARGB32);
  icon.addPixmap(QPixmap::fromImage(image.copy()));
  return icon;
}

}  // namespace

QIcon AppIcon() {
  return ReadIcon();
}

}  // namespace quorvin::platform
