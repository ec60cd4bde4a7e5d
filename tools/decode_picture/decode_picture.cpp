// decode-picture [--fit N] FILE [OUT.png]
//
// Decodes FILE the way a picture box does, prints the recognised format, the size and what the
// alpha means (or why there is no picture), and optionally writes the picture as the box would
// draw it: its alpha blended over the default face colour, at its own size or reduced to fit
// N x N. Exit status: 0 picture, 1 no picture, 2 usage error or unwritable output.
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/codecs/decode.h"

namespace {

using quorvin::codecs::AlphaMeaning;
using quorvin::codecs::Picture;

// The default face colour of Qt's standard palette, which the picture box fills with first.
constexpr std::uint8_t kFace[3] = {0xEF, 0xEF, 0xEF};  // red, green, blue

int Usage() {
  std::fprintf(stderr, "usage: decode-picture [--fit N] FILE [OUT.png]\n");
  return 2;
}

// RGB rows of the picture as drawn: blended pictures over the face colour, opaque ones as they are.
std::vector<std::uint8_t> DrawnRgb(const Picture& picture) {
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(picture.width) * picture.height * 3);
  for (std::size_t i = 0, o = 0; o < rgb.size(); i += 4, o += 3) {
    const int a = picture.alpha == AlphaMeaning::kBlend ? picture.bgra[i + 3] : 255;
    for (int c = 0; c < 3; ++c) {
      const int value = picture.bgra[i + 2 - c];
      rgb[o + c] = static_cast<std::uint8_t>((value * a + kFace[c] * (255 - a) + 127) / 255);
    }
  }
  return rgb;
}

bool WritePng(const std::string& path, const Picture& picture) {
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  const std::vector<std::uint8_t> rgb = DrawnRgb(picture);
  bool ok = png && info;
  if (ok && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, out);
    png_set_IHDR(png, info, picture.width, picture.height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < picture.height; ++y) {
      png_write_row(png, &rgb[static_cast<std::size_t>(y) * picture.width * 3]);
    }
    png_write_end(png, nullptr);
  } else {
    ok = false;
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(out) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  int fit = 0;
  if (!args.empty() && args[0] == "--fit") {
    if (args.size() < 2) return Usage();
    char* end = nullptr;
    const long n = std::strtol(args[1].c_str(), &end, 10);
    if (*end != '\0' || n < 1 || n > 65535) return Usage();
    fit = static_cast<int>(n);
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.empty() || args.size() > 2) return Usage();

  std::ifstream in(args[0], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "decode-picture: cannot read %s\n", args[0].c_str());
    return 2;
  }
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  const auto result = quorvin::codecs::DecodePicture(bytes, {fit, fit});
  std::printf("format: %s\n", quorvin::codecs::FormatName(result.format));
  if (!result.picture) {
    std::printf("no picture: %s\n", result.reason.c_str());
    return 1;
  }
  const Picture& p = *result.picture;
  std::printf("size: %dx%d (file: %dx%d)\nalpha: %s\n", p.width, p.height, p.sourceWidth,
              p.sourceHeight, p.alpha == AlphaMeaning::kBlend ? "blend" : "opaque");
  if (args.size() == 2 && !WritePng(args[1], p)) {
    std::fprintf(stderr, "decode-picture: cannot write %s\n", args[1].c_str());
    return 2;
  }
  return 0;
}
