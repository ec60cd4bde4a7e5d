#include "tests/hostile/hostile_files.h"

#include <zlib.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <algorithm>
#include <random>
#include <vector>

namespace quorvin::hostile {
namespace {

void PutLe(ByteSet& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutBe32(ByteSet& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PngChunk(ByteSet& out, const char* type, const ByteSet& data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
  PutBe32(out, static_cast<std::uint32_t>(crc));
}

ByteSet Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return ByteSet(bytes.begin(), bytes.end());
}

QImage Photo() {
  QImage image(160, 120, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      image.setPixel(x, y, qRgb((x * 3 + y) & 255, (y * 2) & 255, (x * y / 40) & 255));
    }
  }
  return image;
}

// A DIB of a 16x16 32-bit icon image (the XOR rows only, as many as `rows`), after its
// BITMAPINFOHEADER.
ByteSet IconDib(int rows) {
  ByteSet dib;
  PutLe(dib, 40, 4);
  PutLe(dib, 16, 4);
  PutLe(dib, 32, 4);  // twice the height: colour rows and mask rows
  PutLe(dib, 1, 2);
  PutLe(dib, 32, 2);
  dib.resize(40, 0);
  dib.resize(dib.size() + static_cast<std::size_t>(rows) * 16 * 4, 0x80);
  return dib;
}

ByteSet IconDirectory(int count, std::uint32_t imageSize, std::uint32_t imageOffset) {
  ByteSet ico = {0, 0, 1, 0};
  PutLe(ico, static_cast<std::uint32_t>(count), 2);
  ico.insert(ico.end(), {16, 16, 0, 0});
  PutLe(ico, 1, 2);
  PutLe(ico, 32, 2);
  PutLe(ico, imageSize, 4);
  PutLe(ico, imageOffset, 4);
  return ico;
}

// A PNG of `width` x `height` whose compressed data is `rawBytes` zeros: for the header's size,
// whole rows of black or transparent pixels, or only their beginning.
ByteSet ZeroPng(std::uint32_t width, std::uint32_t height, std::uint8_t depth,
                std::uint8_t colourType, std::size_t rawBytes) {
  ByteSet png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  ByteSet header;
  PutBe32(header, width);
  PutBe32(header, height);
  header.insert(header.end(), {depth, colourType, 0, 0, 0});  // deflate, no filter, no interlace
  PngChunk(png, "IHDR", header);
  const std::vector<std::uint8_t> zeros(rawBytes, 0);
  uLongf packedSize = compressBound(static_cast<uLong>(zeros.size()));
  ByteSet packed(packedSize);
  compress2(packed.data(), &packedSize, zeros.data(), static_cast<uLong>(zeros.size()), 9);
  packed.resize(packedSize);
  PngChunk(png, "IDAT", packed);
  PngChunk(png, "IEND", {});
  return png;
}

}  // namespace

std::size_t WholeJpegSize() {
  static const std::size_t size = Encoded(Photo(), "JPG").size();
  return size;
}

ByteSet TruncatedJpeg(std::size_t keep) {
  ByteSet jpeg = Encoded(Photo(), "JPG");
  jpeg.resize(std::min(keep, jpeg.size()));
  return jpeg;
}

ByteSet PngWithHeader(std::uint32_t width, std::uint32_t height) {
  return ZeroPng(width, height, 8, 6, 8 << 20);  // 8-bit RGBA
}

ByteSet BmpIndicesPastPalette() {
  constexpr int kSide = 64;
  constexpr std::uint32_t kColours = 2;
  constexpr std::uint32_t kOffset = 14 + 40 + kColours * 4;
  ByteSet bmp = {'B', 'M'};
  PutLe(bmp, kOffset + kSide * kSide, 4);
  PutLe(bmp, 0, 4);
  PutLe(bmp, kOffset, 4);
  PutLe(bmp, 40, 4);
  PutLe(bmp, kSide, 4);
  PutLe(bmp, kSide, 4);
  PutLe(bmp, 1, 2);
  PutLe(bmp, 8, 2);
  PutLe(bmp, 0, 4);  // uncompressed
  PutLe(bmp, kSide * kSide, 4);
  PutLe(bmp, 2835, 4);
  PutLe(bmp, 2835, 4);
  PutLe(bmp, kColours, 4);
  PutLe(bmp, 0, 4);
  bmp.insert(bmp.end(), {0, 0, 255, 0, 255, 0, 0, 0});  // red, blue
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) bmp.push_back(static_cast<std::uint8_t>(x * 4 + y));
  }
  return bmp;
}

ByteSet IcoImageOffsetPastEnd() {
  const ByteSet dib = IconDib(16);
  ByteSet ico = IconDirectory(1, static_cast<std::uint32_t>(dib.size()), 100000);
  ico.insert(ico.end(), dib.begin(), dib.end());
  return ico;
}

ByteSet IcoImageRunningPastEnd() {
  ByteSet ico = IconDirectory(1, 0x7FFFFFFF, 22);
  const ByteSet dib = IconDib(5);  // 5 of its 16 colour rows
  ico.insert(ico.end(), dib.begin(), dib.end());
  return ico;
}

ByteSet IcoDirectoryLongerThanFile() {
  ByteSet ico = IconDirectory(300, 40 + 16 * 16 * 4 + 16 * 4, 22);
  const ByteSet dib = IconDib(16);
  ico.insert(ico.end(), dib.begin(), dib.end());
  return ico;
}

ByteSet IcoWithHugePngImage() {
  constexpr std::uint32_t kSide = 8192;
  const ByteSet png = ZeroPng(kSide, kSide, 1, 0, kSide * (1 + kSide / 8));  // 1-bit grey
  ByteSet ico = IconDirectory(1, static_cast<std::uint32_t>(png.size()), 22);
  ico[6] = ico[7] = 0;  // 256 x 256, the most an entry can say
  ico.insert(ico.end(), png.begin(), png.end());
  return ico;
}

bool WriteNoiseFile(const QString& path, std::int64_t size) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  std::mt19937_64 noise(20261211);
  std::vector<std::uint64_t> block((1 << 20) / sizeof(std::uint64_t));
  for (std::int64_t written = 0; written < size;) {
    for (auto& word : block) word = noise();
    if (written == 0) std::copy_n("RAND", 4, reinterpret_cast<char*>(block.data()));
    const qint64 n = std::min<qint64>(size - written, block.size() * sizeof(std::uint64_t));
    if (file.write(reinterpret_cast<const char*>(block.data()), n) != n) return false;
    written += n;
  }
  return file.flush();
}

ByteSet SquareOnWhiteBmp() {
  QImage image(96, 96, QImage::Format_RGB32);
  for (int y = 0; y < 96; ++y) {
    for (int x = 0; x < 96; ++x) {
      const bool inside = x >= 24 && x < 72 && y >= 24 && y < 72;
      image.setPixel(x, y, inside ? qRgb(20, 40, 160) : qRgb(255, 255, 255));
    }
  }
  return Encoded(image, "BMP");
}

}  // namespace quorvin::hostile
