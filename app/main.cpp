// Quorvin: turns a picture into a Windows icon.
#include <QApplication>

#include "app/main_window_program.h"
#include "editor/program_state.h"
#include "platform/platform_init.h"
#include "platform/qt_dialogs.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  quorvin::platform::InitialisePlatform();
  quorvin::editor::ProgramState state;
  quorvin::platform::QtDialogs dialogs;
  return quorvin::app::RunProgram(state, dialogs);
}
