#pragma once

#include "editor/program_state.h"
#include "platform/dialogs.h"

namespace quorvin::app {

// The program from start-up to exit on an existing QApplication whose platform is initialised:
// registers the exit clean-up (it releases every byte string of `state`), builds and opens
// MainWindow with the editor behind it, and runs the message loop until MainWindow is destroyed.
// Returns the exit code, 0.
int RunProgram(editor::ProgramState& state, platform::Dialogs& dialogs);

}  // namespace quorvin::app
