#include "platform/controls/pic_box.h"

#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "platform/qt_colour.h"
#include "tests/platform/picture_bytes.h"

namespace quorvin::platform {
namespace {

using test::Bmp24;
using test::Icon;
using test::Png;

std::unique_ptr<PicBox> MakeBox(int w, int h, Border border = Border::kNone,
                                ColourValue background = kDefaultColour) {
  auto box = std::make_unique<PicBox>(
      ControlSpec{.kind = ControlKind::kPicBox, .background = background, .border = border});
  box->resize(w, h);
  return box;
}

QImage Shown(PicBox& box) {
  return box.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct BytesCase {
  const char* name;
  ByteSet (*bytes)();
  bool decodes;
};

class PictureBytes : public testing::TestWithParam<BytesCase> {};

TEST_P(PictureBytes, ReadBackExactlyAsWritten) {
  const ByteSet bytes = GetParam().bytes();
  auto box = MakeBox(48, 48);
  box->SetPicture(bytes);
  EXPECT_EQ(box->Picture(), bytes);
  EXPECT_EQ(box->HasPicture(), !bytes.empty());
  EXPECT_EQ(box->ShowsDecodedPicture(), GetParam().decodes);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, PictureBytes,
    testing::Values(
        BytesCase{"empty", [] { return ByteSet{}; }, false},
        BytesCase{"unknown_bytes", [] { return ByteSet{'n', 'o', 't', 0, 0xFF, 'a', 'n'}; }, false},
        BytesCase{"bmp", [] { return Bmp24(5, 3, [](int x, int) { return qRgb(x * 40, 0, 0); }); },
                  true},
        BytesCase{"icon", [] { return Icon(16, [](int, int) { return qRgba(1, 2, 3, 255); }); },
                  true},
        BytesCase{"truncated_png",
                  [] {
                    ByteSet png = Png(8, 8, [](int, int) { return qRgba(9, 9, 9, 255); });
                    png.resize(png.size() / 2);
                    return png;
                  },
                  false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PicBoxTest, UndecodableBytesShowOnlyTheBackground) {
  auto box = MakeBox(20, 20, Border::kNone, 0x00336699);
  box->SetPicture({'G', 'I', 'F', '8', '9', 'a'});
  const QImage shown = Shown(*box);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) ASSERT_EQ(shown.pixel(x, y), qRgb(0x99, 0x66, 0x33));
  }
}

TEST(PicBoxTest, IconAlphaIsBlendedOverTheBackground) {
  // Left third transparent red, middle third half-transparent blue, right third opaque green.
  const ByteSet icon = Icon(48, [](int x, int) {
    if (x < 16) return qRgba(255, 0, 0, 0);
    if (x < 32) return qRgba(0, 0, 255, 128);
    return qRgba(0, 255, 0, 255);
  });
  auto box = MakeBox(48, 48, Border::kNone, 0x00FFFFFF);
  box->SetPicture(icon);
  const QImage shown = Shown(*box);
  EXPECT_EQ(shown.pixel(5, 20), qRgb(255, 255, 255));
  EXPECT_EQ(shown.pixel(40, 20), qRgb(0, 255, 0));
  const QRgb half = shown.pixel(24, 20);
  EXPECT_NEAR(qRed(half), 127, 2);
  EXPECT_NEAR(qGreen(half), 127, 2);
  EXPECT_EQ(qBlue(half), 255);

  // On the default background the transparent part shows the button face.
  auto faceBox = MakeBox(48, 48);
  faceBox->SetPicture(icon);
  EXPECT_EQ(Shown(*faceBox).pixelColor(5, 20), FaceColour(faceBox->palette()));
}

TEST(PicBoxTest, PngAlphaIsBlendedOverTheBackground) {
  auto box = MakeBox(8, 8, Border::kNone, 0x000000FF);  // red
  box->SetPicture(
      Png(8, 8, [](int x, int) { return x < 4 ? qRgba(0, 0, 0, 0) : qRgba(0, 0, 255, 255); }));
  const QImage shown = Shown(*box);
  EXPECT_EQ(shown.pixel(1, 1), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(6, 6), qRgb(0, 0, 255));
}

TEST(PicBoxTest, EnlargingKeepsIconPixelsAsSolidBlocks) {
  // The editor's view: 240 x 240 with a single-line border, a 48 x 48 checkerboard icon.
  auto box = MakeBox(240, 240, Border::kSingle);
  box->SetPicture(Icon(48, [](int x, int y) {
    return (x + y) % 2 ? qRgba(255, 255, 255, 255) : qRgba(0, 0, 0, 255);
  }));
  const QImage client = Shown(*box).copy(box->ClientRect());
  ASSERT_EQ(client.size(), QSize(238, 238));
  std::set<QRgb> colours;
  for (int y = 0; y < client.height(); ++y) {
    for (int x = 0; x < client.width(); ++x) colours.insert(client.pixel(x, y));
  }
  EXPECT_EQ(colours, (std::set<QRgb>{qRgb(0, 0, 0), qRgb(255, 255, 255)}));
  // Each icon pixel covers about five view pixels: the first block is black.
  for (int x = 0; x < 4; ++x) EXPECT_EQ(client.pixel(x, 0), qRgb(0, 0, 0));
  EXPECT_EQ(client.pixel(237, 237), qRgb(0, 0, 0));  // (47, 47) is black too
}

TEST(PicBoxTest, ReducingAverages) {
  auto box = MakeBox(128, 128);
  box->SetPicture(Bmp24(
      256, 256, [](int x, int y) { return (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0); }));
  const QImage shown = Shown(*box);
  for (const QPoint p : {QPoint(0, 0), QPoint(64, 64), QPoint(127, 127), QPoint(3, 100)}) {
    EXPECT_NEAR(qGreen(shown.pixel(p)), 128, 3) << p.x() << "," << p.y();
  }
}

TEST(PicBoxTest, StretchesOverTheWholeClientAreaWithoutKeepingProportions) {
  auto box = MakeBox(128, 128, Border::kNone, 0x00FFFFFF);
  box->SetPicture(
      Bmp24(100, 10, [](int x, int) { return x < 50 ? qRgb(255, 0, 0) : qRgb(0, 0, 255); }));
  const QImage shown = Shown(*box);
  EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(20, 127), qRgb(255, 0, 0));
  EXPECT_EQ(shown.pixel(127, 0), qRgb(0, 0, 255));
  EXPECT_EQ(shown.pixel(100, 127), qRgb(0, 0, 255));
}

TEST(PicBoxTest, ClearingThePictureShowsTheBackgroundAgain) {
  auto box = MakeBox(16, 16, Border::kNone, 0x00000000);
  box->SetPicture(Bmp24(4, 4, [](int, int) { return qRgb(255, 255, 255); }));
  EXPECT_EQ(Shown(*box).pixel(8, 8), qRgb(255, 255, 255));
  box->SetPicture({});
  EXPECT_FALSE(box->HasPicture());
  EXPECT_EQ(Shown(*box).pixel(8, 8), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace quorvin::platform
