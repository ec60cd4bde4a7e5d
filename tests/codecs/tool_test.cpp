// decode-picture, run as a program: what it prints, what it writes, and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/codecs/fixtures.h"

namespace quorvin::codecs::testing {
namespace {
namespace fs = std::filesystem;

struct ToolRun {
  int status = -1;
  std::string output;
};

ToolRun DecodePictureTool(const std::string& args) {
  ToolRun run;
  FILE* pipe = ::popen((std::string("'" DECODE_PICTURE_PATH "' ") + args + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) run.output += buffer;
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("quorvin-tool-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Write(const std::string& name, const ByteSet& bytes) {
    std::ofstream(dir_ / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return (dir_ / name).string();
  }
  ByteSet Read(const std::string& name) {
    std::ifstream in(dir_ / name, std::ios::binary);
    return ByteSet((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  fs::path dir_;
};

TEST_F(ToolTest, UsageErrorsExitWith2) {
  for (const char* args :
       {"", "--fit", "--fit x a.bmp", "--fit 0 a.bmp", "a b c", "/nonexistent/picture.bmp"}) {
    EXPECT_EQ(DecodePictureTool(args).status, 2) << args;
  }
}

TEST_F(ToolTest, NoPictureExitsWith1AndSaysWhy) {
  const ToolRun run = DecodePictureTool(Write("text.bmp", {'h', 'e', 'l', 'l', 'o'}));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.output.find("format: none"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("no picture: "), std::string::npos) << run.output;
}

TEST_F(ToolTest, WritesThePictureAsDrawnOverTheFaceColour) {
  // A 2 x 1 icon: its left pixel transparent, its right one opaque red.
  DibSpec desc;
  desc.width = 2;
  desc.height = 1;
  desc.bitCount = 32;
  desc.iconMask = true;
  desc.pixels = {0x00000000, 0xFFFF0000};
  const std::string ico = Write("in.ico", EncodeIco({{2, 1, 0, EncodeDib(desc)}}));
  const ToolRun run = DecodePictureTool(ico + " '" + (dir_ / "out.png").string() + "'");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("format: ICO"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("size: 2x1"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("alpha: blend"), std::string::npos) << run.output;
  const DecodeResult written = DecodePicture(Read("out.png"));
  ASSERT_TRUE(written.picture) << Describe(written);
  EXPECT_EQ(written.picture->alpha, AlphaMeaning::kOpaque);
  EXPECT_EQ(written.picture->bgra,
            (std::vector<std::uint8_t>{0xEF, 0xEF, 0xEF, 255, 0, 0, 255, 255}));
}

TEST_F(ToolTest, FitReducesTheWrittenPicture) {
  DibSpec desc;
  desc.width = 40;
  desc.height = 20;
  desc.pixels.assign(800, 0x00804020);
  const std::string bmp = Write("in.bmp", EncodeBmp(desc));
  const ToolRun run =
      DecodePictureTool("--fit 16 " + bmp + " '" + (dir_ / "out.png").string() + "'");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("size: 16x16 (file: 40x20)"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("alpha: opaque"), std::string::npos) << run.output;
  const DecodeResult written = DecodePicture(Read("out.png"));
  EXPECT_EQ(MaxDifference(written.picture, Expected::Filled(16, 16, {0x20, 0x40, 0x80, 255})), 0)
      << Describe(written);
}

}  // namespace
}  // namespace quorvin::codecs::testing
