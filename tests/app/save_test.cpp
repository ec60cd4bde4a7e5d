// Saving the previewed icon, and a save that fails.
#include <sys/resource.h>

#include <QDir>
#include <csignal>

#include "tests/app/main_window_fixture.h"

namespace quorvin::app::test {
namespace {

const QString kSaveFailed = QStringLiteral("保存失败，无法写入该文件");

class SaveTest : public MainWindowTest {
 protected:
  void Generate() {
    Drop({Write(SquareOnWhite(), "a.bmp", "BMP")});
    Click("按钮1");
    ASSERT_EQ(Preview().size(), 9662u);
  }
  QStringList FilesInFolder() const { return QDir(dir_.path()).entryList(QDir::Files); }
};

TEST_F(SaveTest, BeforeGeneratingNothingHappens) {
  Click("按钮保存");
  EXPECT_TRUE(dialogs_.fileRequests.empty());
  EXPECT_TRUE(dialogs_.messages.isEmpty());
}

TEST_F(SaveTest, CancellingWritesNothing) {
  Generate();
  Click("按钮保存");
  EXPECT_EQ(dialogs_.unansweredFileDialogs, 1);
  EXPECT_EQ(FilesInFolder(), QStringList{"a.bmp"});
  EXPECT_TRUE(dialogs_.messages.isEmpty());
}

TEST_F(SaveTest, ANameWithAnExtensionIsKeptAndAnOldFileReplaced) {
  Generate();
  ASSERT_TRUE(platform::WriteWholeFile(PathOf("icon.ICO"), ByteSet(20000, 0xAB)));
  dialogs_.AnswerFile(PathOf("icon.ICO"));
  Click("按钮保存");
  EXPECT_EQ(platform::ReadWholeFile(PathOf("icon.ICO")), Preview());
  EXPECT_EQ(FilesInFolder(), (QStringList{"a.bmp", "icon.ICO"}));
}

// The preview is saved, not IconBytes: edits reach the file only through the done button.
TEST_F(SaveTest, ThePreviewsBytesAreSaved) {
  Generate();
  const ByteSet preview = Preview();
  state_.document.PixelBuffer.assign(state_.document.PixelBuffer.size(), 0x22);
  state_.document.AssembleIcon();
  dialogs_.AnswerFile(PathOf("b"));
  Click("按钮保存");
  EXPECT_EQ(platform::ReadWholeFile(PathOf("b.ico")), preview);
}

TEST_F(SaveTest, AFolderThatCannotExistIsReported) {
  Generate();
  ASSERT_TRUE(platform::WriteWholeFile(PathOf("plain"), ByteSet{1, 2, 3}));
  const ByteSet iconBefore = state_.document.IconBytes;
  dialogs_.AnswerFile(PathOf("plain/icon.ico"));  // its folder is a regular file
  Click("按钮保存");
  EXPECT_EQ(dialogs_.messages, QStringList{kSaveFailed});
  EXPECT_EQ(platform::ReadWholeFile(PathOf("plain")), (ByteSet{1, 2, 3}));
  EXPECT_EQ(state_.document.IconBytes, iconBefore);
  EXPECT_EQ(Preview(), iconBefore);
}

// Files may grow to 4096 bytes only while it is in force; writing past that fails with EFBIG
// instead of raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    ok_ = setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  bool ok() const { return ok_; }

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
  bool ok_ = false;
};

// A write that fails half way leaves the icon that was there as it was, and no stray file.
TEST_F(SaveTest, AWriteThatFailsHalfWayLeavesTheOldFileIntact) {
  Generate();
  const ByteSet old(3000, 0x5A);
  ASSERT_TRUE(platform::WriteWholeFile(PathOf("icon.ico"), old));
  dialogs_.AnswerFile(PathOf("icon.ico"));
  {
    FileSizeLimit limit(4096);
    ASSERT_TRUE(limit.ok());
    Click("按钮保存");
  }
  EXPECT_EQ(dialogs_.messages, QStringList{kSaveFailed});
  EXPECT_EQ(platform::ReadWholeFile(PathOf("icon.ico")), old);
  EXPECT_EQ(FilesInFolder(), (QStringList{"a.bmp", "icon.ico"}));

  dialogs_.AnswerFile(PathOf("icon.ico"));  // once the disk has room again
  Click("按钮保存");
  EXPECT_EQ(platform::ReadWholeFile(PathOf("icon.ico")), Preview());
  EXPECT_EQ(dialogs_.messages.size(), 1);
}

}  // namespace
}  // namespace quorvin::app::test
