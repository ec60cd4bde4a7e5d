#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>

namespace quorvin::platform {
namespace {

class FilesTest : public testing::Test {
 protected:
  QString Path(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
  QStringList Entries() const {
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }

  QTemporaryDir dir_;
};

TEST_F(FilesTest, WritesAndReadsBackEveryByte) {
  ByteSet bytes(70000);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 7);
  ASSERT_TRUE(WriteWholeFile(Path("图标.ico"), bytes));
  EXPECT_EQ(ReadWholeFile(Path("图标.ico")), bytes);
  EXPECT_EQ(Entries(), QStringList{QStringLiteral("图标.ico")});  // no temporary file left
}

TEST_F(FilesTest, ReplacesTheWholeContentOfAnExistingFile) {
  ASSERT_TRUE(WriteWholeFile(Path("a.ico"), ByteSet(100, 0xAA)));
  ASSERT_TRUE(WriteWholeFile(Path("a.ico"), ByteSet{1, 2, 3}));
  EXPECT_EQ(ReadWholeFile(Path("a.ico")), (ByteSet{1, 2, 3}));
  ASSERT_TRUE(WriteWholeFile(Path("a.ico"), ByteSet{}));
  EXPECT_TRUE(QFile::exists(Path("a.ico")));
  EXPECT_TRUE(ReadWholeFile(Path("a.ico")).empty());
}

TEST_F(FilesTest, ANewFileIsReadableByOthersAsTheUmaskAllows) {
  const mode_t mask = ::umask(022);
  ASSERT_TRUE(WriteWholeFile(Path("new.ico"), ByteSet{1}));
  ::umask(mask);
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(Path("new.ico")).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(FilesTest, AFailedWriteReportsFalseAndLeavesNothingBehind) {
  EXPECT_FALSE(WriteWholeFile(Path("missing/a.ico"), ByteSet{1}));
  EXPECT_FALSE(WriteWholeFile(QString(), ByteSet{1}));
  ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
  EXPECT_FALSE(WriteWholeFile(Path("folder"), ByteSet{1}));
  EXPECT_TRUE(QFileInfo(Path("folder")).isDir());
  EXPECT_EQ(Entries(), QStringList{QStringLiteral("folder")});
}

TEST_F(FilesTest, AFailedWriteLeavesTheOldFileAsItWas) {
  ASSERT_TRUE(WriteWholeFile(Path("keep.ico"), ByteSet{9, 9}));
  // A file size limit makes the new content fail half-way, for root as well.
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteWholeFile(Path("keep.ico"), ByteSet(65536, 1));
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(ReadWholeFile(Path("keep.ico")), (ByteSet{9, 9}));
  EXPECT_EQ(Entries(), QStringList{QStringLiteral("keep.ico")});
}

TEST_F(FilesTest, AnythingButAReadableRegularFileReadsAsEmpty) {
  EXPECT_TRUE(ReadWholeFile(Path("missing.jpg")).empty());
  EXPECT_TRUE(ReadWholeFile(QString()).empty());
  EXPECT_TRUE(ReadWholeFile(dir_.path()).empty());
  EXPECT_TRUE(ReadWholeFile(QStringLiteral("/dev/zero")).empty());
  // A pipe without a writer would block a plain open.
  ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe")).constData(), 0600), 0);
  EXPECT_TRUE(ReadWholeFile(Path("pipe")).empty());
}

}  // namespace
}  // namespace quorvin::platform
