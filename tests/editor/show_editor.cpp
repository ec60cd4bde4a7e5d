// Opens the editor in a real display on a generated picture, to paint in and look at; not a test
// and not installed:
//   xvfb-run -a -s '-screen 0 1280x1024x24' tests/editor/show_editor [--size 16] [--out FILE]
// The picture is a blue disc with a yellow square on white; the white is removed as the main
// window would remove it. When the editor closes, the icon is written to FILE (if given), the
// done flag is printed and the program ends.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/layouts/layouts.h"
#include "editor/editor.h"
#include "platform/files.h"
#include "platform/platform_init.h"
#include "platform/qt_dialogs.h"

using namespace quorvin;

namespace {

// A 24-bit bottom-up BMP of n x n, as the main window's snapshot gives it.
ByteSet GeneratedSnapshot(int n) {
  const std::uint32_t rowBytes = static_cast<std::uint32_t>(n) * 3;  // 48 and 16: no padding
  const std::uint32_t size = 54 + rowBytes * static_cast<std::uint32_t>(n);
  ByteSet bmp(size, 0);
  auto put32 = [&bmp](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(n));
  put32(22, static_cast<std::uint32_t>(n));
  bmp[26] = 1;
  bmp[28] = 24;
  for (int y = 0; y < n; ++y) {  // y counts from the top; rows are stored bottom-up
    for (int x = 0; x < n; ++x) {
      std::uint8_t* p = bmp.data() + 54 + static_cast<std::size_t>(n - 1 - y) * rowBytes + x * 3;
      const double dx = x - n / 2.0 + 0.5, dy = y - n / 2.0 + 0.5;
      const bool disc = dx * dx + dy * dy < (n * 0.4) * (n * 0.4);
      const bool square = x >= n / 3 && x < n / 2 && y >= n / 3 && y < n / 2;
      const std::uint8_t bgr[3] = {static_cast<std::uint8_t>(square ? 0
                                                             : disc ? 220
                                                                    : 255),
                                   static_cast<std::uint8_t>(square ? 220
                                                             : disc ? 120
                                                                    : 255),
                                   static_cast<std::uint8_t>(square ? 250
                                                             : disc ? 30
                                                                    : 255)};
      std::memcpy(p, bgr, 3);
    }
  }
  return bmp;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  platform::InitialisePlatform();
  int size = 48;
  QString out;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--size") == 0) size = std::atoi(argv[++i]) == 16 ? 16 : 48;
    if (std::strcmp(argv[i], "--out") == 0) out = QString::fromLocal8Bit(argv[++i]);
  }

  editor::ProgramState state;
  state.document.SelectIconSize(size);
  state.document.Snapshot = GeneratedSnapshot(size);
  state.document.RemoveBackground(true);
  state.document.AssembleIcon();

  platform::QtDialogs dialogs;
  editor::Editor editor(layouts::EditorWindowLayout(), layouts::InstructionsWindowLayout(), state,
                        dialogs);
  editor.Open();

  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (editor.Current() != nullptr) return;
    if (!out.isEmpty()) platform::WriteWholeFile(out, state.document.IconBytes);
    std::printf("EditorDoneFlag=%d\n", state.EditorDoneFlag);
    app.quit();
  });
  watch.start(100);
  return app.exec();
}
