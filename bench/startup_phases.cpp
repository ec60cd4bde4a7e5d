// Where start-up time goes: the steps of the program's own start-up, timed one by one in one
// process, until MainWindow has been painted once. Prints one line of JSON, milliseconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QWidget>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/layouts/layouts.h"
#include "app/main_window.h"
#include "editor/editor.h"
#include "platform/app_icon.h"
#include "platform/fonts.h"
#include "platform/scripted_dialogs.h"

int main(int argc, char** argv) {
  QElapsedTimer clock;
  clock.start();
  std::vector<std::pair<std::string, double>> steps;
  double last = 0;
  auto mark = [&](const char* step) {
    const double now = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    steps.emplace_back(step, now - last);
    last = now;
  };
  QApplication app(argc, argv);
  mark("qapplication");
  QFontDatabase::families();
  mark("font_list");
  quorvin::platform::InstallFonts();
  mark("install_fonts");
  QApplication::setWindowIcon(quorvin::platform::AppIcon());
  mark("app_icon");
  quorvin::editor::ProgramState state;
  quorvin::platform::ScriptedDialogs dialogs;
  quorvin::editor::Editor editor(quorvin::layouts::EditorWindowLayout(),
                                 quorvin::layouts::InstructionsWindowLayout(), state, dialogs);
  quorvin::app::MainWindowController main(state, dialogs, editor, nullptr);
  mark("build_main_window");
  main.Open();
  mark("open");
  // The first paint: every control's text laid out, the Chinese font loaded.
  main.window().repaint();
  mark("first_paint");
  QApplication::processEvents();
  mark("events_after_show");
  std::string json = "{";
  for (const auto& [step, ms] : steps) {
    if (json.size() > 1) json += ", ";
    json += "\"" + step + "\": " + std::to_string(ms);
  }
  std::printf("%s}\n", json.c_str());
  return 0;
}
