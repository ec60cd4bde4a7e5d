// MainWindow from start to exit, and the road of one icon from a dropped photo to a saved file.
#include <QBuffer>
#include <QFile>
#include <QKeyEvent>

#include "core/ico_templates.h"
#include "platform/controls/drop_target.h"
#include "platform/controls/slider_bar.h"
#include "tests/app/main_window_fixture.h"

namespace quorvin::app::test {
namespace {

TEST_F(MainWindowTest, EveryEventTheLayoutPromisesHasAHandler) {
  EXPECT_EQ(window_.UnboundEvents(), std::vector<std::string>{});
}

TEST_F(MainWindowTest, CreatedGivesTheDocumentItsStartValues) {
  EXPECT_EQ(window_.windowTitle(), QStringLiteral("Quorvin v2.0"));
  EXPECT_TRUE(window_.isVisible());
  EXPECT_EQ(state_.document.Tolerance, 35);
  EXPECT_EQ(state_.document.IconSize, 48);
  EXPECT_EQ(state_.document.header.size(), kIcoHeaderSize);
  EXPECT_EQ(state_.document.keyColour, KeyColour{});
  EXPECT_EQ(state_.EditorDoneFlag, 0);
  EXPECT_TRUE(Get<platform::DropTarget>("拖放对象1").AcceptFiles());
  EXPECT_TRUE(HintVisible());
  EXPECT_FALSE(PollTimer().IsRunning());
}

TEST_F(MainWindowTest, EscEndsTheProgramOnceAndTakesTheEditorAlong) {
  Drop({Write(SquareOnWhite(), "a.bmp", "BMP")});
  Click("按钮1");
  Click("按钮2");
  ASSERT_NE(editor_.Current(), nullptr);

  QTest::keyClick(&window_, Qt::Key_Escape);
  EXPECT_EQ(exits_, 1);
  EXPECT_FALSE(window_.isVisible());
  EXPECT_EQ(editor_.Current(), nullptr);
}

TEST_F(MainWindowTest, TheCloseBoxEndsTheProgramToo) {
  window_.close();
  EXPECT_EQ(exits_, 1);
}

// The road of one icon: a photo dropped, generated at 48 x 48, touched up in the editor and
// saved under a name typed without an extension.
TEST_F(MainWindowTest, ADroppedPhotoBecomesASavedIcon) {
  const QString photo = Write(SquareOnWhite(160), "photo.jpg", "JPG");
  Drop({photo});
  EXPECT_EQ(Source(), platform::ReadWholeFile(photo));
  EXPECT_FALSE(HintVisible());
  EXPECT_TRUE(Get<platform::PicBox>("图片框1").ShowsDecodedPicture());

  Click("按钮1");  // 生成
  EXPECT_EQ(state_.document.Snapshot.size(), 6966u);
  ASSERT_EQ(Preview().size(), 9662u);
  EXPECT_EQ(Preview(), state_.document.IconBytes);
  const IconTemplates* blocks = FindIconTemplates(48);
  EXPECT_TRUE(std::equal(blocks->header.begin(), blocks->header.end(), Preview().begin()));
  EXPECT_EQ(Preview()[6], 48);   // entry width
  EXPECT_EQ(Preview()[7], 48);   // entry height
  EXPECT_EQ(Preview()[12], 32);  // bits per pixel
  EXPECT_TRUE(std::equal(blocks->mask.begin(), blocks->mask.end(), Preview().end() - 384));
  EXPECT_TRUE(Get<platform::PicBox>("图片框2").ShowsDecodedPicture());

  Click("按钮2");  // 修改
  ASSERT_NE(editor_.Current(), nullptr);
  // The editor's done button: the document changed in place, the flag set, the window gone.
  state_.document.PixelBuffer[3] = 0x80;
  state_.document.AssembleIcon();
  state_.EditorDoneFlag = 1;
  editor_.Current()->Destroy();
  const ByteSet edited = state_.document.IconBytes;
  EXPECT_NE(Preview(), edited);
  PollTimer().SetPeriod(1);  // the next tick without waiting a whole second
  ASSERT_TRUE(QTest::qWaitFor([&] { return !PollTimer().IsRunning(); }, 5000));
  EXPECT_EQ(Preview(), edited);

  dialogs_.AnswerFile(PathOf("photo"));
  Click("按钮保存");
  ASSERT_EQ(dialogs_.fileRequests.size(), 1u);
  const platform::FileDialogRequest& request = dialogs_.fileRequests.front();
  EXPECT_TRUE(request.save);
  EXPECT_EQ(request.filter, QStringLiteral("图片文件（*.ico）|*.ico"));
  EXPECT_EQ(request.defaultExtension, QStringLiteral("ico"));
  EXPECT_EQ(request.fileName, QString());  // a drop does not name the dialog's file
  EXPECT_EQ(platform::ReadWholeFile(PathOf("photo.ico")), edited);
  EXPECT_TRUE(dialogs_.messages.isEmpty());

  // Another reader opens it: one 48 x 48 image, the white corners see-through.
  const QImage read(PathOf("photo.ico"), "ICO");
  ASSERT_FALSE(read.isNull());
  EXPECT_EQ(read.size(), QSize(48, 48));
  EXPECT_EQ(qAlpha(read.pixel(47, 0)), 0);
  EXPECT_EQ(qAlpha(read.pixel(24, 24)), 255);
}

}  // namespace
}  // namespace quorvin::app::test
