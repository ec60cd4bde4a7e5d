// Icons this program writes, opened by independent readers installed from Debian: Pillow,
// ImageMagick and icoutils. Each must see the size we wrote and exactly our RGBA pixels.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "core/icon_document.h"
#include "tests/core/snapshot_fixture.h"

namespace quorvin {
namespace {

namespace fs = std::filesystem;

std::string RunCommand(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return {};
  std::string out;
  char buf[4096];
  std::size_t n;
  while ((n = fread(buf, 1, sizeof buf, pipe.get())) > 0) out.append(buf, n);
  return out;
}

// A picture with a flat background in the top-right colour, a diagonal band and a gradient.
ByteSet BuildIcon(int n) {
  IconDocument doc;
  doc.SelectIconSize(n);
  doc.Tolerance = 35;
  doc.Snapshot = test::MakeSnapshot(n, [n](int x, int y) -> test::Bgr {
    if (std::abs(x - y) < n / 6) return {40, static_cast<std::uint8_t>(x * 5), 220};
    if (x > y) return {250, 250, 250};  // background, within the tolerance of the corner
    return {static_cast<std::uint8_t>(y * 4), 90, static_cast<std::uint8_t>(x * 4)};
  });
  doc.RemoveBackground(true);
  return doc.AssembleIcon();
}

// The RGBA we expect a reader to give, rows top-down.
std::string ExpectedRgba(const ByteSet& icon, int n) {
  std::string rgba;
  for (int y = 1; y <= n; ++y) {
    for (int x = 1; x <= n; ++x) {
      const auto a = 62 + AlphaPosition(x, y, n) - 1;
      rgba += static_cast<char>(icon[a - 1]);
      rgba += static_cast<char>(icon[a - 2]);
      rgba += static_cast<char>(icon[a - 3]);
      rgba += static_cast<char>(icon[a]);
    }
  }
  return rgba;
}

class IcoInterop : public testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quorvin-interop-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    icon_ = BuildIcon(GetParam());
    path_ = dir_ / ("icon" + std::to_string(GetParam()) + ".ico");
    std::ofstream(path_, std::ios::binary)
        .write(reinterpret_cast<const char*>(icon_.data()),
               static_cast<std::streamsize>(icon_.size()));
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path dir_, path_;
  ByteSet icon_;
};

TEST_P(IcoInterop, PillowReadsOurPixels) {
  const int n = GetParam();
  const std::string out = RunCommand(
      "/usr/bin/python3 -c \"import sys; from PIL import Image; im = Image.open(sys.argv[1]); "
      "print(im.format, im.size[0], im.size[1]); sys.stdout.flush(); "
      "sys.stdout.buffer.write(im.convert('RGBA').tobytes())\" " +
      path_.string());
  const std::string header = "ICO " + std::to_string(n) + " " + std::to_string(n) + "\n";
  ASSERT_EQ(out.substr(0, header.size()), header) << out.substr(0, 200);
  EXPECT_TRUE(out.substr(header.size()) == ExpectedRgba(icon_, n));
}

TEST_P(IcoInterop, ImageMagickReadsOurPixels) {
  const int n = GetParam();
  const std::string size =
      RunCommand("/usr/bin/identify -format '%w %h %[channels]' " + path_.string());
  EXPECT_EQ(size.substr(0, 6), n == 48 ? "48 48 " : "16 16 ") << size;
  const std::string rgba = RunCommand("/usr/bin/convert " + path_.string() + " -depth 8 rgba:-");
  EXPECT_TRUE(rgba == ExpectedRgba(icon_, n)) << rgba.size();
}

TEST_P(IcoInterop, IcotoolListsAndExtractsIt) {
  const int n = GetParam();
  const std::string list = RunCommand("icotool -l " + path_.string());
  const std::string want = "--icon --index=1 --width=" + std::to_string(n) +
                           " --height=" + std::to_string(n) + " --bit-depth=32 --palette-size=0";
  EXPECT_EQ(list.substr(0, want.size()), want) << list;
  // icotool turns the image into a PNG; Pillow then gives its pixels.
  const fs::path png = dir_ / "extracted.png";
  RunCommand("icotool -x -o " + png.string() + " " + path_.string());
  const std::string rgba = RunCommand(
      "/usr/bin/python3 -c \"import sys; from PIL import Image; "
      "sys.stdout.buffer.write(Image.open(sys.argv[1]).convert('RGBA').tobytes())\" " +
      png.string());
  EXPECT_TRUE(rgba == ExpectedRgba(icon_, n)) << rgba.size();
}

INSTANTIATE_TEST_SUITE_P(Sizes, IcoInterop, testing::Values(48, 16),
                         [](const auto& info) { return "n" + std::to_string(info.param); });

}  // namespace
}  // namespace quorvin
