#include "tests/codecs/fixtures.h"

#include <gif_lib.h>
#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace quorvin::codecs::testing {
namespace {

void PutU16(ByteSet& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void PutU32(ByteSet& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

}  // namespace

int PngChannels(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return 4;
    default:
      return 1;
  }
}

Expected Expected::Filled(int width, int height, std::array<std::uint8_t, 4> bgra) {
  Expected e{width, height, {}};
  for (int i = 0; i < width * height; ++i) e.bgra.insert(e.bgra.end(), bgra.begin(), bgra.end());
  return e;
}

int MaxDifference(const std::optional<Picture>& picture, const Expected& expected) {
  if (!picture || picture->width != expected.width || picture->height != expected.height ||
      picture->bgra.size() != expected.bgra.size()) {
    return -1;
  }
  int worst = 0;
  for (std::size_t i = 0; i < expected.bgra.size(); ++i) {
    worst = std::max(worst, std::abs(int{picture->bgra[i]} - int{expected.bgra[i]}));
  }
  return worst;
}

std::string Describe(const DecodeResult& result) {
  std::string text = FormatName(result.format);
  if (!result.picture) return text + ", no picture: " + result.reason;
  return text + " " + std::to_string(result.picture->width) + "x" +
         std::to_string(result.picture->height) +
         (result.picture->alpha == AlphaMeaning::kBlend ? " blend" : " opaque");
}

// ---- PNG ----
ByteSet EncodePng(const PngSpec& s) {
  auto out = std::make_unique<ByteSet>();
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  const int channels = PngChannels(s.colourType);
  const std::size_t rowBytes = (static_cast<std::size_t>(s.width) * channels * s.bitDepth + 7) / 8;
  std::vector<std::vector<png_byte>> rows(s.height, std::vector<png_byte>(rowBytes, 0));
  for (int y = 0; y < s.height; ++y) {
    for (int i = 0; i < s.width * channels; ++i) {
      const unsigned v = s.samples[static_cast<std::size_t>(y) * s.width * channels + i];
      png_byte* row = rows[y].data();
      if (s.bitDepth == 16) {
        row[i * 2] = v >> 8;
        row[i * 2 + 1] = v & 0xFF;
      } else if (s.bitDepth == 8) {
        row[i] = v;
      } else {
        const int bit = i * s.bitDepth;
        row[bit / 8] |= v << (8 - s.bitDepth - bit % 8);
      }
    }
  }
  std::vector<png_bytep> pointers;
  for (auto& row : rows) pointers.push_back(row.data());
  std::vector<png_color> palette;
  for (const Rgb& c : s.palette) palette.push_back({c[0], c[1], c[2]});

  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(
      png, out.get(),
      [](png_structp p, png_bytep data, size_t n) {
        auto* bytes = static_cast<ByteSet*>(png_get_io_ptr(p));
        bytes->insert(bytes->end(), data, data + n);
      },
      nullptr);
  png_set_IHDR(png, info, s.width, s.height, s.bitDepth, s.colourType,
               s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
  if (!s.paletteAlpha.empty()) {
    png_set_tRNS(png, info, s.paletteAlpha.data(), static_cast<int>(s.paletteAlpha.size()),
                 nullptr);
  }
  if (s.transparentColour) {
    png_color_16 c{};
    c.gray = (*s.transparentColour)[0];
    c.red = (*s.transparentColour)[0];
    c.green = (*s.transparentColour)[1];
    c.blue = (*s.transparentColour)[2];
    png_set_tRNS(png, info, nullptr, 0, &c);
  }
  if (s.gamma) png_set_gAMA(png, info, *s.gamma);
  png_write_info(png, info);
  png_write_image(png, pointers.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return *out;
}

// ---- JPEG ----
ByteSet EncodeJpeg(const JpegSpec& s) {
  jpeg_compress_struct c{};
  jpeg_error_mgr error{};
  c.err = jpeg_std_error(&error);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = s.width;
  c.image_height = s.height;
  c.input_components = s.components;
  c.in_color_space = s.components == 1 ? JCS_GRAYSCALE : (s.components == 3 ? JCS_RGB : JCS_CMYK);
  jpeg_set_defaults(&c);
  if (s.ycck) jpeg_set_colorspace(&c, JCS_YCCK);
  jpeg_set_quality(&c, s.quality, TRUE);
  if (s.progressive) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  const std::size_t stride = static_cast<std::size_t>(s.width) * s.components;
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(&s.samples[c.next_scanline * stride]);
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  ByteSet out(buffer, buffer + size);
  std::free(buffer);
  jpeg_destroy_compress(&c);
  return out;
}

ByteSet EncodeJpegTablesOnly() {
  jpeg_compress_struct c{};
  jpeg_error_mgr error{};
  c.err = jpeg_std_error(&error);
  jpeg_create_compress(&c);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = 8;
  c.image_height = 8;
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_write_tables(&c);
  ByteSet out(buffer, buffer + size);
  std::free(buffer);
  jpeg_destroy_compress(&c);
  return out;
}

// ---- GIF ----
namespace {

ColorMapObject* MakeMap(const std::vector<Rgb>& colours) {
  if (colours.empty()) return nullptr;
  std::vector<GifColorType> entries;
  for (const Rgb& c : colours) entries.push_back({c[0], c[1], c[2]});
  return GifMakeMapObject(static_cast<int>(entries.size()), entries.data());
}

std::vector<int> StoredRowOrder(int height, bool interlaced) {
  std::vector<int> order;
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = start[pass]; y < height; y += step[pass]) order.push_back(y);
  }
  return order;
}

}  // namespace

ByteSet EncodeGif(const GifSpec& s) {
  ByteSet out;
  int error = 0;
  GifFileType* gif = EGifOpen(
      &out,
      [](GifFileType* g, const GifByteType* data, int n) {
        auto* bytes = static_cast<ByteSet*>(g->UserData);
        bytes->insert(bytes->end(), data, data + n);
        return n;
      },
      &error);
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = MakeMap(s.globalColours);
  EGifPutScreenDesc(gif, s.screenWidth, s.screenHeight, 8, s.background, global);
  GifFreeMapObject(global);
  for (const GifImage& image : s.images) {
    if (image.transparentIndex >= 0) {
      GraphicsControlBlock gcb{};
      gcb.TransparentColor = image.transparentIndex;
      GifByteType extension[4];
      EGifGCBToExtension(&gcb, extension);
      EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension);
    }
    ColorMapObject* local = MakeMap(image.localColours);
    EGifPutImageDesc(gif, image.left, image.top, image.width, image.height, image.interlaced,
                     local);
    GifFreeMapObject(local);
    std::vector<GifPixelType> line(image.width);
    for (int y : StoredRowOrder(image.height, image.interlaced)) {
      std::memcpy(line.data(), &image.indices[static_cast<std::size_t>(y) * image.width],
                  image.width);
      EGifPutLine(gif, line.data(), image.width);
    }
  }
  EGifCloseFile(gif, &error);
  return out;
}

// ---- BMP / DIB ----
ByteSet EncodeDib(const DibSpec& s) {
  ByteSet out;
  const int storedHeight = s.iconMask ? s.height * 2 : s.height;
  PutU32(out, s.headerSize);
  if (s.headerSize == 12) {
    PutU16(out, s.width);
    PutU16(out, storedHeight);
    PutU16(out, 1);
    PutU16(out, s.bitCount);
  } else {
    PutU32(out, s.width);
    PutU32(out, static_cast<std::uint32_t>(s.topDown ? -storedHeight : storedHeight));
    PutU16(out, 1);
    PutU16(out, s.bitCount);
    PutU32(out, s.compression);
    PutU32(out, 0);  // image size
    PutU32(out, 2835);
    PutU32(out, 2835);
    PutU32(out, s.coloursUsed);
    PutU32(out, 0);  // important colours
    out.resize(s.headerSize, 0);
  }
  for (const Rgb& c : s.palette) {
    out.insert(out.end(), {c[2], c[1], c[0]});
    if (s.headerSize != 12) out.push_back(0);
  }
  const std::size_t stride = ((static_cast<std::size_t>(s.width) * s.bitCount + 31) / 32) * 4;
  auto storedRow = [&](int i) { return s.topDown ? i : s.height - 1 - i; };
  for (int i = 0; i < s.height; ++i) {
    const int y = storedRow(i);
    ByteSet row(stride, 0);
    for (int x = 0; x < s.width; ++x) {
      const std::uint32_t p = s.pixels[static_cast<std::size_t>(y) * s.width + x];
      switch (s.bitCount) {
        case 1:
          row[x / 8] |= (p & 1) << (7 - x % 8);
          break;
        case 4:
          row[x / 2] |= (p & 15) << (x % 2 ? 0 : 4);
          break;
        case 8:
          row[x] = p & 0xFF;
          break;
        case 24:
        case 32: {
          std::uint8_t* q = &row[x * (s.bitCount / 8)];
          q[0] = p & 0xFF;
          q[1] = (p >> 8) & 0xFF;
          q[2] = (p >> 16) & 0xFF;
          if (s.bitCount == 32) q[3] = p >> 24;
          break;
        }
      }
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  if (s.iconMask) {
    const std::size_t maskStride = ((static_cast<std::size_t>(s.width) + 31) / 32) * 4;
    for (int i = 0; i < s.height; ++i) {
      const int y = storedRow(i);
      ByteSet row(maskStride, 0);
      for (int x = 0; x < s.width; ++x) {
        if (!s.mask.empty() && s.mask[static_cast<std::size_t>(y) * s.width + x]) {
          row[x / 8] |= 1 << (7 - x % 8);
        }
      }
      out.insert(out.end(), row.begin(), row.end());
    }
  }
  return out;
}

ByteSet EncodeBmp(const DibSpec& s) {
  const ByteSet dib = EncodeDib(s);
  const std::size_t paletteBytes = s.palette.size() * (s.headerSize == 12 ? 3 : 4);
  ByteSet out = {'B', 'M'};
  PutU32(out, static_cast<std::uint32_t>(14 + dib.size()));
  PutU32(out, 0);
  PutU32(out, static_cast<std::uint32_t>(14 + s.headerSize + paletteBytes));
  out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

ByteSet EncodeIco(const std::vector<IcoEntry>& entries, int type) {
  ByteSet out;
  PutU16(out, 0);
  PutU16(out, type);
  PutU16(out, static_cast<unsigned>(entries.size()));
  std::size_t offset = 6 + 16 * entries.size();
  for (const IcoEntry& e : entries) {
    out.insert(out.end(), {e.widthByte, e.heightByte, e.colourCount, 0});
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, static_cast<std::uint32_t>(e.image.size()));
    PutU32(out, static_cast<std::uint32_t>(offset));
    offset += e.image.size();
  }
  for (const IcoEntry& e : entries) out.insert(out.end(), e.image.begin(), e.image.end());
  return out;
}

// ---- PCX ----
int PcxBytesPerLine(const PcxSpec& s) {
  if (s.bytesPerLine) return s.bytesPerLine;
  const int bytes = (s.width * s.bitsPerPixel + 7) / 8;
  return bytes + (bytes & 1);
}

ByteSet PcxRle(const std::vector<std::uint8_t>& raw) {
  ByteSet out;
  for (std::size_t i = 0; i < raw.size();) {
    std::size_t run = 1;
    while (i + run < raw.size() && raw[i + run] == raw[i] && run < 63) ++run;
    if (run > 1 || raw[i] >= 0xC0) out.push_back(static_cast<std::uint8_t>(0xC0 | run));
    out.push_back(raw[i]);
    i += run;
  }
  return out;
}

ByteSet EncodePcx(const PcxSpec& s) {
  ByteSet out = {0x0A, 5, 1, static_cast<std::uint8_t>(s.bitsPerPixel)};
  PutU16(out, 0);
  PutU16(out, 0);
  PutU16(out, s.width - 1);
  PutU16(out, s.height - 1);
  PutU16(out, 72);
  PutU16(out, 72);
  for (const Rgb& c : s.headerPalette) out.insert(out.end(), c.begin(), c.end());
  out.push_back(0);
  out.push_back(static_cast<std::uint8_t>(s.planes));
  PutU16(out, PcxBytesPerLine(s));
  PutU16(out, 1);
  out.resize(128, 0);
  for (const auto& line : s.lines) {
    const ByteSet encoded = PcxRle(line);
    out.insert(out.end(), encoded.begin(), encoded.end());
  }
  if (s.vgaPalette) {
    out.insert(out.end(), s.paddingBeforePalette, 0);
    out.push_back(12);
    for (const Rgb& c : *s.vgaPalette) out.insert(out.end(), c.begin(), c.end());
  }
  return out;
}

std::vector<std::uint8_t> Gradient(int width, int height, int channels) {
  std::vector<std::uint8_t> samples;
  samples.reserve(static_cast<std::size_t>(width) * height * channels);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int values[4] = {x * 255 / std::max(1, width - 1), y * 255 / std::max(1, height - 1),
                             (x + y) * 255 / std::max(1, width + height - 2),
                             64 + (x * 3 + y) % 64};
      for (int c = 0; c < channels; ++c) samples.push_back(static_cast<std::uint8_t>(values[c]));
    }
  }
  return samples;
}

}  // namespace quorvin::codecs::testing
