// Opens one of the program's windows from its layout, without its handlers, to look at it:
//   show_layout main|editor|instructions [--picture FILE] [--drop-down] [--quit-after MS]
// --picture puts the file into the window's 图片框1 and, for the main window, hides the hint.
// --drop-down opens the colour picker's drop-down.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "app/layouts/layouts.h"
#include "platform/controls/color_picker.h"
#include "platform/controls/pic_box.h"
#include "platform/controls/trans_label.h"
#include "platform/files.h"
#include "platform/platform_init.h"
#include "platform/qt_dialogs.h"
#include "platform/window.h"

using namespace quorvin;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  platform::InitialisePlatform();
  if (argc < 2) {
    std::fprintf(stderr, "usage: show_layout main|editor|instructions [options]\n");
    return 2;
  }
  const char* which = argv[1];
  const platform::WindowLayout& layout =
      std::strcmp(which, "editor") == 0         ? layouts::EditorWindowLayout()
      : std::strcmp(which, "instructions") == 0 ? layouts::InstructionsWindowLayout()
                                                : layouts::MainWindowLayout();
  platform::QtDialogs dialogs;
  auto window = platform::BuildWindow(layout, dialogs);
  window->Open();
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--picture") == 0 && i + 1 < argc) {
      window->Get<platform::PicBox>("图片框1").SetPicture(
          platform::ReadWholeFile(QString::fromLocal8Bit(argv[++i])));
      if (auto* hint = dynamic_cast<platform::TransLabel*>(window->Find("透明标签2"))) hint->hide();
    } else if (std::strcmp(argv[i], "--drop-down") == 0) {
      window->Get<platform::ColorPicker>("颜色选择器1").OpenDropDown();
    } else if (std::strcmp(argv[i], "--quit-after") == 0 && i + 1 < argc) {
      QTimer::singleShot(std::atoi(argv[++i]), &app, &QApplication::quit);
    }
  }
  return app.exec();
}
