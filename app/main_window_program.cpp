#include "app/main_window_program.h"

#include <QApplication>

#include "app/layouts/layouts.h"
#include "app/main_window.h"
#include "editor/editor.h"

namespace quorvin::app {

int RunProgram(editor::ProgramState& state, platform::Dialogs& dialogs) {
  // The clean-up runs however the loop ends. The guard disconnects it when this returns.
  QObject cleanUpGuard;
  QObject::connect(qApp, &QCoreApplication::aboutToQuit, &cleanUpGuard,
                   [&state] { state.ReleaseAll(); });

  editor::Editor editor(layouts::EditorWindowLayout(), layouts::InstructionsWindowLayout(), state,
                        dialogs);
  MainWindowController mainWindow(state, dialogs, editor, [] { QCoreApplication::exit(0); });
  // Only MainWindow ends the program; the editor's windows closing never does.
  QApplication::setQuitOnLastWindowClosed(false);
  mainWindow.Open();
  return QApplication::exec();
}

}  // namespace quorvin::app
