#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMimeData>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>
#include <functional>

#include "app/layouts/layouts.h"
#include "app/main_window.h"
#include "core/icon_document.h"
#include "editor/editor.h"
#include "editor/program_state.h"
#include "platform/controls/button.h"
#include "platform/controls/check_box.h"
#include "platform/controls/common_dlg.h"
#include "platform/controls/pic_box.h"
#include "platform/controls/timer.h"
#include "platform/controls/trans_label.h"
#include "platform/files.h"
#include "platform/scripted_dialogs.h"

namespace quorvin::app::test {

// A picture of w x h whose pixel (x, y), top row 0, is colour(x, y).
inline QImage Picture(int w, int h, const std::function<QRgb(int, int)>& colour) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) image.setPixel(x, y, colour(x, y));
  }
  return image;
}

// A dark square on a flat white background: what a logo on a plain page looks like.
inline QImage SquareOnWhite(int side = 96) {
  return Picture(side, side, [side](int x, int y) {
    const bool inside = x >= side / 4 && x < side * 3 / 4 && y >= side / 4 && y < side * 3 / 4;
    return inside ? qRgb(20, 40, 160) : qRgb(255, 255, 255);
  });
}

// The alpha byte of the icon pixel in column x, row y (0-based, row 0 at the top).
inline std::uint8_t AlphaAt(const ByteSet& pixels, int x, int y, int n) {
  return pixels.at(static_cast<std::size_t>(AlphaPosition(x + 1, y + 1, n)) - 1);
}

// MainWindow opened on its own program state, with scripted dialogs and the real editor behind
// it. Pictures live in a temporary folder of the test's own.
class MainWindowTest : public testing::Test {
 protected:
  MainWindowTest()
      : editor_(layouts::EditorWindowLayout(), layouts::InstructionsWindowLayout(), state_,
                dialogs_),
        controller_(state_, dialogs_, editor_, [this] { ++exits_; }),
        window_(controller_.window()) {
    controller_.Open();
  }

  ~MainWindowTest() override {
    // The editor's windows hold handlers on the editor: they go before it does.
    if (platform::Window* open = editor_.Current()) open->Destroy();
    if (platform::Window* open = editor_.CurrentInstructions()) open->Destroy();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  template <class T>
  T& Get(const char* name) {
    return window_.Get<T>(name);
  }
  void Click(const char* button) {
    QTest::mouseClick(&Get<platform::Button>(button), Qt::LeftButton);
  }
  void ClickBox(const char* box) {
    QTest::mouseClick(&Get<platform::CheckBox>(box), Qt::LeftButton);
  }

  const ByteSet& Source() { return Get<platform::PicBox>("图片框1").Picture(); }
  const ByteSet& Preview() { return Get<platform::PicBox>("图片框2").Picture(); }
  bool HintVisible() { return Get<platform::TransLabel>("透明标签2").isVisibleTo(&window_); }
  platform::Timer& PollTimer() { return Get<platform::Timer>("时钟1"); }

  QString PathOf(const QString& name) const { return dir_.filePath(name); }

  // Saves the picture under `name` in the test's folder, in the format its extension names.
  QString Write(const QImage& image, const QString& name, const char* format) {
    const QString path = PathOf(name);
    EXPECT_TRUE(image.save(path, format)) << path.toStdString();
    return path;
  }

  // A drag and a drop of these files over `at` (window coordinates), delivered to the native
  // window so that Qt finds the control under the point as it does for a real drag.
  void Drop(const QStringList& paths, QPoint at = {60, 60}) {
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    QMimeData data;
    data.setUrls(urls);
    QWindow* native = window_.windowHandle();
    ASSERT_NE(native, nullptr);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(native, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(native, &drop);
    QCoreApplication::processEvents();  // the drop is handed on once it is over
  }

  QTemporaryDir dir_;
  editor::ProgramState state_;
  platform::ScriptedDialogs dialogs_;
  editor::Editor editor_;
  int exits_ = 0;
  MainWindowController controller_;
  platform::Window& window_;
};

}  // namespace quorvin::app::test
