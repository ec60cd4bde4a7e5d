#pragma once

namespace quorvin::platform {

// Call once the QApplication exists, before any window is built: maps the Chinese font faces to
// the installed CJK font, sets the default GUI font and the application icon.
void InitialisePlatform();

}  // namespace quorvin::platform
