// Bringing in the source picture: the open dialog and drops.
#include "platform/controls/button.h"
#include "tests/app/main_window_fixture.h"

namespace quorvin::app::test {
namespace {

const QString kNotAPicture = QStringLiteral("该文件不是图片文件或暂不支持该格式图片");

TEST(DroppedExtension, IsWhatFollowsTheLastDot) {
  EXPECT_EQ(DroppedExtension(QStringLiteral("/a.b/photo.jpg")), QStringLiteral("jpg"));
  EXPECT_EQ(DroppedExtension(QStringLiteral("/tmp/noext")), QStringLiteral("/tmp/noext"));
  EXPECT_EQ(DroppedExtension(QStringLiteral("/tmp/photo.")), QString());
  EXPECT_EQ(DroppedExtension(QStringLiteral("/a.jpg\r\n/b.jpg\r\n")), QStringLiteral("jpg\r\n"));
}

// One drop of one or more files, all holding a real picture, and whether it is taken.
struct DropCase {
  const char* name;
  QStringList files;
  bool taken;
};

class DropRule : public MainWindowTest, public testing::WithParamInterface<DropCase> {};

TEST_P(DropRule, OnlyExactLowerCaseJpgBmpOrIcoIsTaken) {
  const ByteSet picture = platform::ReadWholeFile(Write(SquareOnWhite(), "source.bmp", "BMP"));
  QStringList paths;
  for (const QString& file : GetParam().files) {
    paths << PathOf(file);
    ASSERT_TRUE(platform::WriteWholeFile(paths.back(), picture));
  }
  Drop(paths);
  if (GetParam().taken) {
    EXPECT_TRUE(dialogs_.messages.isEmpty());
    EXPECT_EQ(Source(), picture);
    EXPECT_FALSE(HintVisible());
  } else {
    EXPECT_EQ(dialogs_.messages, QStringList{kNotAPicture});
    EXPECT_TRUE(Source().empty());
    EXPECT_TRUE(HintVisible());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, DropRule,
    testing::Values(DropCase{"jpg", {"a.jpg"}, true}, DropCase{"bmp", {"a.bmp"}, true},
                    DropCase{"ico", {"a.ico"}, true}, DropCase{"chinese_name", {"照片.jpg"}, true},
                    DropCase{"upper_case_JPG", {"a.JPG"}, false}, DropCase{"png", {"a.png"}, false},
                    DropCase{"jpeg", {"a.jpeg"}, false}, DropCase{"no_extension", {"jpg"}, false},
                    DropCase{"final_dot", {"a.jpg."}, false},
                    DropCase{"several_files", {"a.jpg", "b.jpg"}, false}),
    [](const testing::TestParamInfo<DropCase>& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ADroppedIconIsShownInTheSourceBox) {
  const ByteSet icon = [] {
    IconDocument doc;
    doc.SelectIconSize(48);
    doc.PixelBuffer.assign(48 * 48 * 4, 0xFF);
    return doc.AssembleIcon();
  }();
  ASSERT_TRUE(platform::WriteWholeFile(PathOf("a.ico"), icon));
  Drop({PathOf("a.ico")});
  EXPECT_EQ(Source(), icon);
  EXPECT_TRUE(Get<platform::PicBox>("图片框1").ShowsDecodedPicture());
}

TEST_F(MainWindowTest, ADropOverAnyControlLoadsTheSame) {
  const QString path = Write(SquareOnWhite(), "a.bmp", "BMP");
  const QWidget& preview = Get<platform::PicBox>("图片框2");
  const QWidget& save = Get<platform::Button>("按钮保存");
  for (QPoint at : {preview.mapTo(&window_, preview.rect().center()),
                    save.mapTo(&window_, save.rect().center()), QPoint(2, 380)}) {
    Get<platform::PicBox>("图片框1").SetPicture({});
    Drop({path}, at);
    EXPECT_FALSE(Source().empty()) << at.x() << "," << at.y();
  }
}

TEST_F(MainWindowTest, ARefusedDropChangesNothing) {
  const QString first = Write(SquareOnWhite(), "first.bmp", "BMP");
  Drop({first});
  const QString other = Write(SquareOnWhite(32), "other.PNG", "PNG");
  Drop({other});
  EXPECT_EQ(dialogs_.messages, QStringList{kNotAPicture});
  EXPECT_EQ(Source(), platform::ReadWholeFile(first));
}

TEST_F(MainWindowTest, TheOpenDialogTakesAnyPictureTypedIntoIt) {
  const QString png = Write(SquareOnWhite(), "typed.png", "PNG");
  dialogs_.AnswerFile(png);
  Click("按钮打开");
  ASSERT_EQ(dialogs_.fileRequests.size(), 1u);
  EXPECT_FALSE(dialogs_.fileRequests[0].save);
  EXPECT_EQ(dialogs_.fileRequests[0].filter, QStringLiteral("图片文件（*.jpg;*.bmp）|*.jpg;*.bmp"));
  EXPECT_EQ(Source(), platform::ReadWholeFile(png));
  EXPECT_TRUE(Get<platform::PicBox>("图片框1").ShowsDecodedPicture());
  EXPECT_FALSE(HintVisible());
  EXPECT_TRUE(dialogs_.messages.isEmpty());
}

TEST_F(MainWindowTest, CancellingTheOpenDialogChangesNothing) {
  const QString first = Write(SquareOnWhite(), "first.jpg", "JPG");
  dialogs_.AnswerFile(first);
  dialogs_.AnswerFile(std::nullopt);
  Click("按钮打开");
  Click("按钮打开");
  EXPECT_EQ(Source(), platform::ReadWholeFile(first));
  EXPECT_EQ(dialogs_.fileRequests[1].fileName, first);  // offered again
  EXPECT_EQ(Get<platform::CommonDlg>("通用对话框1").FileName(), first);
}

// The shared dialog: saving offers the opened picture's path, and the next opening the icon's.
TEST_F(MainWindowTest, OpeningAndSavingShareTheFileName) {
  const QString picture = Write(SquareOnWhite(), "photo.bmp", "BMP");
  dialogs_.AnswerFile(picture);
  Click("按钮打开");
  Click("按钮1");
  dialogs_.AnswerFile(PathOf("icon.ico"));
  Click("按钮保存");
  Click("按钮打开");  // cancelled
  ASSERT_EQ(dialogs_.fileRequests.size(), 3u);
  EXPECT_EQ(dialogs_.fileRequests[1].fileName, picture);
  EXPECT_EQ(dialogs_.fileRequests[2].fileName, PathOf("icon.ico"));
  EXPECT_FALSE(dialogs_.fileRequests[2].save);
  EXPECT_EQ(dialogs_.fileRequests[2].filter, QStringLiteral("图片文件（*.jpg;*.bmp）|*.jpg;*.bmp"));
}

// An unreadable file reads as nothing: the box is cleared without a word, and "生成" then asks
// for a picture.
TEST_F(MainWindowTest, AnUnreadableFileClearsTheSourceBox) {
  Drop({Write(SquareOnWhite(), "a.bmp", "BMP")});
  Drop({PathOf("missing.jpg")});
  EXPECT_TRUE(dialogs_.messages.isEmpty());
  EXPECT_TRUE(Source().empty());
  EXPECT_FALSE(HintVisible());
  Click("按钮1");
  EXPECT_EQ(dialogs_.messages, QStringList{QStringLiteral("请先加入需要生成的图片")});
  EXPECT_TRUE(Preview().empty());
}

// Bytes no format recognises are no error: the box shows nothing and "生成" takes the snapshot of
// the empty box.
TEST_F(MainWindowTest, UndecodableBytesAreShownAsNothingAndStillGenerate) {
  const ByteSet junk = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'};
  ASSERT_TRUE(platform::WriteWholeFile(PathOf("junk.jpg"), junk));
  Drop({PathOf("junk.jpg")});
  EXPECT_EQ(Source(), junk);
  EXPECT_FALSE(Get<platform::PicBox>("图片框1").ShowsDecodedPicture());
  Click("按钮1");
  EXPECT_TRUE(dialogs_.messages.isEmpty());
  EXPECT_EQ(Preview().size(), 9662u);
}

}  // namespace
}  // namespace quorvin::app::test
