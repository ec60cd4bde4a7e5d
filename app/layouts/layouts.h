#pragma once

#include "platform/layout.h"

// The program's three windows as constant data. Each opening builds a window afresh from these.
namespace quorvin::layouts {

const platform::WindowLayout& MainWindowLayout();
const platform::WindowLayout& EditorWindowLayout();
const platform::WindowLayout& InstructionsWindowLayout();

}  // namespace quorvin::layouts
