// Hostile files brought into the real main window by the open button or by a drop: each ends the
// way the workflow says (a picture, no picture, a cleared box, or the refusal message), the
// following "生成" does what that state calls for, and a good picture afterwards still makes an
// icon. Time and peak memory of taking each file in are printed for the record, and the memory
// is checked against the file's size plus 48 MiB outside sanitizer builds.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>
#include <cstdio>
#include <functional>

#include "app/layouts/layouts.h"
#include "app/main_window.h"
#include "core/icon_document.h"
#include "editor/editor.h"
#include "editor/program_state.h"
#include "platform/controls/button.h"
#include "platform/controls/pic_box.h"
#include "platform/controls/trans_label.h"
#include "platform/files.h"
#include "platform/scripted_dialogs.h"
#include "tests/hostile/hostile_files.h"
#include "tests/hostile/peak_memory.h"

namespace quorvin::hostile {
namespace {

constexpr std::int64_t kMiB = 1 << 20;
constexpr std::int64_t kMemoryAllowance = 48 * kMiB;
const QString kNotAPicture = QString::fromUtf8(app::kNotAPictureMessage);
const QString kNoPicture = QString::fromUtf8(app::kNoPictureMessage);
constexpr std::size_t kIcon48Bytes = 9662;

// How the file reaches the window.
enum class Delivery {
  kDrop,
  kOpen,
  kDropVanishing,  // the file is deleted after the drag has entered and before the drop
};

// What the source box holds afterwards.
enum class Outcome {
  kShown,     // the file's bytes, drawn (as much of the picture as the file holds)
  kNotShown,  // the file's bytes, not decodable: the box shows no picture
  kCleared,   // nothing: the file could not be read
  kRefused,   // the drop was refused with the message; the box is as before (empty)
};

// Makes the hostile file in `dir` and returns its path.
using Maker = std::function<QString(const QDir& dir)>;

struct HostileCase {
  const char* name;
  Maker make;
  Delivery delivery;
  Outcome outcome;
};

QString WriteBytes(const QDir& dir, const QString& name, const ByteSet& bytes) {
  const QString path = dir.filePath(name);
  EXPECT_TRUE(platform::WriteWholeFile(path, bytes)) << path.toStdString();
  return path;
}

Maker Bytes(const char* name, std::function<ByteSet()> bytes) {
  return [=](const QDir& dir) { return WriteBytes(dir, QString::fromUtf8(name), bytes()); };
}

Maker Noise(const char* name, std::int64_t size) {
  return [=](const QDir& dir) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    EXPECT_TRUE(WriteNoiseFile(path, size));
    return path;
  };
}

Maker Folder(const char* name) {
  return [=](const QDir& dir) {
    EXPECT_TRUE(dir.mkpath(QString::fromUtf8(name)));
    return dir.filePath(QString::fromUtf8(name));
  };
}

Maker Fifo(const char* name) {
  return [=](const QDir& dir) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    EXPECT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    return path;
  };
}

// The path of a file that existed when it was chosen and is gone when it is read.
Maker Removed(const char* name) {
  return [=](const QDir& dir) {
    const QString path = WriteBytes(dir, QString::fromUtf8(name), SquareOnWhiteBmp());
    EXPECT_TRUE(QFile::remove(path));
    return path;
  };
}

std::string Describe(std::optional<std::int64_t> bytes) {
  if (!bytes) return "n/a";
  char text[32];
  if (*bytes < kMiB) {
    std::snprintf(text, sizeof text, "%.1f KiB", static_cast<double>(*bytes) / 1024);
  } else {
    std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(*bytes) / kMiB);
  }
  return text;
}

class HostileFile : public testing::TestWithParam<HostileCase> {
 protected:
  HostileFile()
      : editor_(layouts::EditorWindowLayout(), layouts::InstructionsWindowLayout(), state_,
                dialogs_),
        controller_(state_, dialogs_, editor_, [] {}),
        window_(controller_.window()) {
    controller_.Open();
  }

  ~HostileFile() override {
    if (platform::Window* open = editor_.Current()) open->Destroy();
    if (platform::Window* open = editor_.CurrentInstructions()) open->Destroy();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  platform::PicBox& Box(const char* name) { return window_.Get<platform::PicBox>(name); }
  void Click(const char* button) {
    QTest::mouseClick(&window_.Get<platform::Button>(button), Qt::LeftButton);
  }
  bool HintVisible() {
    return window_.Get<platform::TransLabel>("透明标签2").isVisibleTo(&window_);
  }

  // A drag over the middle of the window and a drop, delivered to the native window as a real
  // drag would be; `betweenEnterAndDrop` runs after the drag has been accepted.
  void Drop(const QString& path, const std::function<void()>& betweenEnterAndDrop = {}) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QWindow* native = window_.windowHandle();
    ASSERT_NE(native, nullptr);
    const QPoint at(60, 60);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(native, &enter);
    ASSERT_TRUE(enter.isAccepted());
    if (betweenEnterAndDrop) betweenEnterAndDrop();
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(native, &drop);
    QCoreApplication::processEvents();
  }

  void Deliver(const QString& path, Delivery delivery) {
    switch (delivery) {
      case Delivery::kDrop:
        Drop(path);
        break;
      case Delivery::kOpen:
        dialogs_.AnswerFile(path);
        Click("按钮打开");
        break;
      case Delivery::kDropVanishing:
        Drop(path, [&] { ASSERT_TRUE(QFile::remove(path)); });
        break;
    }
  }

  // The good picture, dropped and turned into an icon: the white around the square goes
  // transparent, the square stays.
  void ExpectAGoodPictureStillMakesAnIcon() {
    dialogs_.messages.clear();
    Drop(WriteBytes(QDir(dir_.path()), QStringLiteral("good.bmp"), SquareOnWhiteBmp()));
    ASSERT_TRUE(Box("图片框1").ShowsDecodedPicture());
    Click("按钮1");
    EXPECT_TRUE(dialogs_.messages.isEmpty());
    const ByteSet& pixels = state_.document.PixelBuffer;
    ASSERT_EQ(pixels.size(), 48u * 48 * 4);
    EXPECT_EQ(pixels.at(AlphaPosition(1, 1, 48) - 1), 0);
    EXPECT_EQ(pixels.at(AlphaPosition(24, 24, 48) - 1), 255);
    EXPECT_EQ(Box("图片框2").Picture(), state_.document.IconBytes);
    EXPECT_EQ(Box("图片框2").Picture().size(), kIcon48Bytes);
  }

  QTemporaryDir dir_;
  editor::ProgramState state_;
  platform::ScriptedDialogs dialogs_;
  editor::Editor editor_;
  app::MainWindowController controller_;
  platform::Window& window_;
};

TEST_P(HostileFile, EndsAsTheWorkflowSaysAndTheProgramGoesOn) {
  ASSERT_TRUE(dir_.isValid());
  const HostileCase& c = GetParam();
  const QString path = c.make(QDir(dir_.path()));
  const QFileInfo info(path);
  const std::int64_t fileSize = info.isFile() ? info.size() : 0;
  // What the box would hold: the bytes read before the file is taken in (and before it
  // vanishes). Files too large to read hold nothing, and are not read here either.
  const ByteSet bytes = c.outcome == Outcome::kShown || c.outcome == Outcome::kNotShown
                            ? platform::ReadWholeFile(path)
                            : ByteSet{};

  PeakMemory memory;
  memory.Start();
  QElapsedTimer clock;
  clock.start();
  Deliver(path, c.delivery);
  const double milliseconds = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  const std::optional<std::int64_t> growth = memory.GrowthBytes();
  std::printf("[ hostile  ] %-44s %8.2f ms, peak memory growth %10s, file %10s\n", c.name,
              milliseconds, Describe(growth).c_str(), Describe(fileSize).c_str());
  RecordProperty("microseconds", static_cast<int>(milliseconds * 1000));
  if (growth && !kUnderAddressSanitizer) {
    EXPECT_LE(*growth, fileSize + kMemoryAllowance);
  }

  platform::PicBox& source = Box("图片框1");
  switch (c.outcome) {
    case Outcome::kShown:
    case Outcome::kNotShown:
      EXPECT_TRUE(dialogs_.messages.isEmpty());
      EXPECT_FALSE(bytes.empty());
      EXPECT_EQ(source.Picture(), bytes);
      EXPECT_EQ(source.ShowsDecodedPicture(), c.outcome == Outcome::kShown);
      EXPECT_FALSE(HintVisible());
      break;
    case Outcome::kCleared:
      EXPECT_TRUE(dialogs_.messages.isEmpty());
      EXPECT_FALSE(source.HasPicture());
      EXPECT_FALSE(HintVisible());
      break;
    case Outcome::kRefused:
      EXPECT_EQ(dialogs_.messages, QStringList{kNotAPicture});
      EXPECT_FALSE(source.HasPicture());
      EXPECT_TRUE(HintVisible());
      break;
  }

  // "生成" on what the box now holds: the snapshot of whatever it shows, or the request for a
  // picture when it holds none.
  dialogs_.messages.clear();
  Click("按钮1");
  if (source.HasPicture()) {
    EXPECT_TRUE(dialogs_.messages.isEmpty());
    EXPECT_EQ(Box("图片框2").Picture().size(), kIcon48Bytes);
  } else {
    EXPECT_EQ(dialogs_.messages, QStringList{kNoPicture});
    EXPECT_FALSE(Box("图片框2").HasPicture());
  }

  ExpectAGoodPictureStillMakesAnIcon();
}

constexpr std::int64_t kHugeFile = 300 * kMiB;    // past what the program reads whole
constexpr std::int64_t kLargeNoise = 100 * kMiB;  // read whole, and no picture

INSTANTIATE_TEST_SUITE_P(
    Files, HostileFile,
    testing::Values(
        HostileCase{"truncated_jpeg_dropped",
                    Bytes("cut.jpg", [] { return TruncatedJpeg(WholeJpegSize() / 2); }),
                    Delivery::kDrop, Outcome::kShown},
        HostileCase{"jpeg_cut_inside_its_tables_opened",
                    Bytes("cut.jpg", [] { return TruncatedJpeg(300); }), Delivery::kOpen,
                    Outcome::kNotShown},
        HostileCase{"png_100000_square_header_opened",
                    Bytes("bomb.png", [] { return PngWithHeader(100000, 100000); }),
                    Delivery::kOpen, Outcome::kNotShown},
        HostileCase{"png_100000_square_header_named_jpg_dropped",
                    Bytes("bomb.jpg", [] { return PngWithHeader(100000, 100000); }),
                    Delivery::kDrop, Outcome::kNotShown},
        HostileCase{"png_100000_square_header_named_png_dropped",
                    Bytes("bomb.png", [] { return PngWithHeader(100000, 100000); }),
                    Delivery::kDrop, Outcome::kRefused},
        HostileCase{"bmp_indices_past_its_palette_dropped",
                    Bytes("palette.bmp", BmpIndicesPastPalette), Delivery::kDrop, Outcome::kShown},
        HostileCase{"ico_image_offset_past_the_end_dropped",
                    Bytes("far.ico", IcoImageOffsetPastEnd), Delivery::kDrop, Outcome::kNotShown},
        HostileCase{"ico_image_running_past_the_end_dropped",
                    Bytes("long.ico", IcoImageRunningPastEnd), Delivery::kDrop, Outcome::kNotShown},
        HostileCase{"ico_directory_longer_than_the_file_dropped",
                    Bytes("many.ico", IcoDirectoryLongerThanFile), Delivery::kDrop,
                    Outcome::kNotShown},
        HostileCase{"ico_with_an_8192_square_png_image_dropped",
                    Bytes("huge.ico", IcoWithHugePngImage), Delivery::kDrop, Outcome::kShown},
        HostileCase{"zero_byte_file_dropped", Bytes("empty.jpg", [] { return ByteSet{}; }),
                    Delivery::kDrop, Outcome::kCleared},
        HostileCase{"zero_byte_file_opened", Bytes("empty.bmp", [] { return ByteSet{}; }),
                    Delivery::kOpen, Outcome::kCleared},
        HostileCase{"folder_dropped", Folder("photos.jpg"), Delivery::kDrop, Outcome::kCleared},
        HostileCase{"folder_opened", Folder("photos"), Delivery::kOpen, Outcome::kCleared},
        HostileCase{"file_vanishing_between_drag_and_drop", Bytes("gone.bmp", SquareOnWhiteBmp),
                    Delivery::kDropVanishing, Outcome::kCleared},
        HostileCase{"file_gone_when_opened", Removed("gone.jpg"), Delivery::kOpen,
                    Outcome::kCleared},
        HostileCase{"pipe_without_a_writer_dropped", Fifo("pipe.jpg"), Delivery::kDrop,
                    Outcome::kCleared},
        HostileCase{"random_300_mb_dropped", Noise("noise.jpg", kHugeFile), Delivery::kDrop,
                    Outcome::kCleared},
        HostileCase{"random_300_mb_opened", Noise("noise.bmp", kHugeFile), Delivery::kOpen,
                    Outcome::kCleared},
        HostileCase{"random_100_mb_dropped", Noise("noise.bmp", kLargeNoise), Delivery::kDrop,
                    Outcome::kNotShown}),
    [](const testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvin::hostile
