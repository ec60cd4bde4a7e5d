// Draws the application icon and writes it as an ICO file with eight images (48, 32 and 16
// pixels at 8 bits per pixel; 256, 128, 48, 32 and 16 pixels at 32 bits per pixel), plus a C++
// source that builds the same bytes into the program.
//
//   make_app_icon OUT.ico OUT.cpp [PNG_DIR]
//
// With PNG_DIR it also writes the 32-bit images as PNG_DIR/quorvin-SIZE.png, for the desktop's
// icon theme.
//
// The picture: a rounded blue tile with a sun and two green hills, a picture becoming an icon.
// The 32-bit images are smoothed by sampling each pixel 4 x 4 times; the 8-bit images take one
// sample per pixel, so every pixel is exactly one of a few palette colours and the edges stay
// sharp at 16 pixels.

#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;  // straight, 0 ... 255; a 0 ... 1
};

// Palette of the flat colours; index 0 is what transparent pixels hold.
enum Ink { kNone, kFrame, kSky, kSun, kHill, kHillShade, kInkCount };
constexpr std::array<std::array<std::uint8_t, 3>, kInkCount> kInkRgb = {{
    {0, 0, 0},       // unused (transparent)
    {31, 78, 140},   // frame: dark blue
    {91, 180, 240},  // sky: light blue
    {255, 200, 61},  // sun: yellow
    {46, 158, 79},   // near hill: green
    {30, 122, 58},   // far hill and ground: dark green
}};

struct Point {
  double x, y;
};

bool InRoundedSquare(double x, double y, double lo, double hi, double radius) {
  if (x < lo || x > hi || y < lo || y > hi) return false;
  const double dx = std::max({lo + radius - x, 0.0, x - (hi - radius)});
  const double dy = std::max({lo + radius - y, 0.0, y - (hi - radius)});
  return dx * dx + dy * dy <= radius * radius;
}

double Cross(Point a, Point b, Point p) {
  return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

bool InTriangle(Point p, Point a, Point b, Point c) {
  const double d1 = Cross(a, b, p), d2 = Cross(b, c, p), d3 = Cross(c, a, p);
  const bool negative = d1 < 0 || d2 < 0 || d3 < 0;
  const bool positive = d1 > 0 || d2 > 0 || d3 > 0;
  return !(negative && positive);
}

// The ink at (x, y) in pixels of an s x s image; the shapes scale with s, the frame keeps at
// least one pixel.
Ink InkAt(double x, double y, int size) {
  const double s = size;
  const double lo = s / 16.0, hi = s - s / 16.0;
  const double radius = s * 0.16;
  const double frame = std::max(1.0, s / 24.0);
  if (!InRoundedSquare(x, y, lo, hi, radius)) return kNone;
  if (!InRoundedSquare(x, y, lo + frame, hi - frame, std::max(0.0, radius - frame))) return kFrame;
  const Point p{x, y};
  const double ground = s * 0.80;
  if (y >= ground) return kHillShade;
  if (InTriangle(p, {s * 0.10, ground}, {s * 0.38, s * 0.40}, {s * 0.70, ground})) return kHill;
  if (InTriangle(p, {s * 0.46, ground}, {s * 0.70, s * 0.55}, {s * 0.96, ground}))
    return kHillShade;
  const double sx = x - s * 0.70, sy = y - s * 0.30;
  if (sx * sx + sy * sy <= (s * 0.13) * (s * 0.13)) return kSun;
  return kSky;
}

// Straight BGRA, top-down.
Bytes DrawSmooth(int size) {
  constexpr int kSamples = 4;
  Bytes out(static_cast<std::size_t>(size) * size * 4);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double r = 0, g = 0, b = 0, covered = 0;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const Ink ink = InkAt(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples, size);
          if (ink == kNone) continue;
          r += kInkRgb[ink][0];
          g += kInkRgb[ink][1];
          b += kInkRgb[ink][2];
          covered += 1;
        }
      }
      std::uint8_t* px = &out[(static_cast<std::size_t>(y) * size + x) * 4];
      if (covered > 0) {
        px[0] = static_cast<std::uint8_t>(std::lround(b / covered));
        px[1] = static_cast<std::uint8_t>(std::lround(g / covered));
        px[2] = static_cast<std::uint8_t>(std::lround(r / covered));
        px[3] = static_cast<std::uint8_t>(std::lround(255.0 * covered / (kSamples * kSamples)));
      }
    }
  }
  return out;
}

// Palette indices, top-down; kNone is transparent.
Bytes DrawFlat(int size) {
  Bytes out(static_cast<std::size_t>(size) * size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      out[static_cast<std::size_t>(y) * size + x] = InkAt(x + 0.5, y + 0.5, size);
    }
  }
  return out;
}

void Put16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::size_t RowBytes(int bits, int width) {
  return ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
}

void PutInfoHeader(Bytes& out, int size, int bits, std::size_t imageBytes, int colours) {
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(size));
  Put32(out, static_cast<std::uint32_t>(size * 2));  // XOR image and AND mask
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bits));
  Put32(out, 0);  // BI_RGB
  Put32(out, static_cast<std::uint32_t>(imageBytes));
  Put32(out, 0);
  Put32(out, 0);
  Put32(out, static_cast<std::uint32_t>(colours));
  Put32(out, 0);
}

// The AND mask, bottom-up: 1 where the pixel is transparent.
void PutMask(Bytes& out, int size, auto transparent) {
  const std::size_t row = RowBytes(1, size);
  for (int y = size - 1; y >= 0; --y) {
    Bytes bits(row, 0);
    for (int x = 0; x < size; ++x) {
      if (transparent(x, y)) bits[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
    out.insert(out.end(), bits.begin(), bits.end());
  }
}

Bytes Image8(int size) {
  const Bytes ink = DrawFlat(size);
  const std::size_t row = RowBytes(8, size);
  const std::size_t imageBytes = row * size + RowBytes(1, size) * size;
  Bytes out;
  PutInfoHeader(out, size, 8, imageBytes, 256);
  for (int i = 0; i < 256; ++i) {
    const auto& rgb = i < kInkCount ? kInkRgb[i] : kInkRgb[kNone];
    out.push_back(rgb[2]);
    out.push_back(rgb[1]);
    out.push_back(rgb[0]);
    out.push_back(0);
  }
  for (int y = size - 1; y >= 0; --y) {
    Bytes line(row, 0);
    std::copy_n(&ink[static_cast<std::size_t>(y) * size], size, line.begin());
    out.insert(out.end(), line.begin(), line.end());
  }
  PutMask(out, size,
          [&](int x, int y) { return ink[static_cast<std::size_t>(y) * size + x] == kNone; });
  return out;
}

Bytes Image32(int size) {
  const Bytes bgra = DrawSmooth(size);
  const std::size_t imageBytes = RowBytes(32, size) * size + RowBytes(1, size) * size;
  Bytes out;
  PutInfoHeader(out, size, 32, imageBytes, 0);
  for (int y = size - 1; y >= 0; --y) {
    const auto* line = &bgra[static_cast<std::size_t>(y) * size * 4];
    out.insert(out.end(), line, line + static_cast<std::size_t>(size) * 4);
  }
  PutMask(out, size, [&](int x, int y) {
    return bgra[(static_cast<std::size_t>(y) * size + x) * 4 + 3] == 0;
  });
  return out;
}

struct Entry {
  int size;
  int bits;
};

constexpr std::array<Entry, 8> kEntries = {{
    {48, 8},
    {32, 8},
    {16, 8},
    {256, 32},
    {128, 32},
    {48, 32},
    {32, 32},
    {16, 32},
}};

Bytes MakeIco() {
  std::vector<Bytes> images;
  for (const Entry& e : kEntries) images.push_back(e.bits == 8 ? Image8(e.size) : Image32(e.size));
  Bytes out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, kEntries.size());
  std::size_t offset = 6 + 16 * kEntries.size();
  for (std::size_t i = 0; i < kEntries.size(); ++i) {
    const Entry& e = kEntries[i];
    out.push_back(static_cast<std::uint8_t>(e.size == 256 ? 0 : e.size));  // 0 stands for 256
    out.push_back(static_cast<std::uint8_t>(e.size == 256 ? 0 : e.size));
    out.push_back(0);  // colour count: 0 for 256 colours and for true colour
    out.push_back(0);
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(e.bits));
    Put32(out, static_cast<std::uint32_t>(images[i].size()));
    Put32(out, static_cast<std::uint32_t>(offset));
    offset += images[i].size();
  }
  for (const Bytes& image : images) out.insert(out.end(), image.begin(), image.end());
  return out;
}

std::string AsCpp(const Bytes& ico) {
  std::string text =
      "// Generated by tools/make_app_icon: the application icon's ICO file.\n"
      "#include <cstddef>\n\n"
      "namespace quorvin::platform {\n\n"
      "extern const unsigned char kAppIconIco[] = {\n";
  char number[8];
  for (std::size_t i = 0; i < ico.size(); ++i) {
    std::snprintf(number, sizeof number, "%u,", ico[i]);
    text += number;
    if (i % 24 == 23) text += '\n';
  }
  text +=
      "\n};\nextern const std::size_t kAppIconIcoSize = sizeof kAppIconIco;\n\n"
      "}  // namespace quorvin::platform\n";
  return text;
}

bool WriteFile(const char* path, const void* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  return static_cast<bool>(out.flush());
}

bool WritePng(const std::string& path, int size) {
  const Bytes bgra = DrawSmooth(size);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(size);
  image.height = static_cast<png_uint_32>(size);
  image.format = PNG_FORMAT_BGRA;
  return png_image_write_to_file(&image, path.c_str(), 0, bgra.data(), 0, nullptr) != 0;
}

bool WriteThemePngs(const std::string& dir) {
  for (const Entry& e : kEntries) {
    if (e.bits != 32) continue;
    if (!WritePng(dir + "/quorvin-" + std::to_string(e.size) + ".png", e.size)) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: make_app_icon OUT.ico OUT.cpp [PNG_DIR]\n");
    return 2;
  }
  if (argc == 4 && !WriteThemePngs(argv[3])) {
    std::fprintf(stderr, "make_app_icon: cannot write the PNG images\n");
    return 1;
  }
  const Bytes ico = MakeIco();
  const std::string cpp = AsCpp(ico);
  if (!WriteFile(argv[1], ico.data(), ico.size()) || !WriteFile(argv[2], cpp.data(), cpp.size())) {
    std::fprintf(stderr, "make_app_icon: cannot write the output\n");
    return 1;
  }
  return 0;
}
