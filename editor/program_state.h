#pragma once

#include <cstdint>

#include "core/byte_set.h"
#include "core/icon_document.h"

namespace quorvin::editor {

// Everything the program holds from start-up to exit beside the windows themselves. The app owns
// the one instance; every window works on it directly.
struct ProgramState {
  IconDocument document;

  // 0 while the editor is open or was closed without its done button; its done button sets 1.
  // The main window's timer polls it.
  std::int32_t EditorDoneFlag = 0;

  // The view coordinates of the top-left corner of the cell the pointer last entered in the
  // editor; they outlive the editor window.
  std::int32_t SnapX = 0;
  std::int32_t SnapY = 0;

  // The brush's four bytes, lowest first, as the last colour paint split them.
  ByteSet brushBytes;

  // The exit clean-up: releases every byte string.
  void ReleaseAll() {
    document.Clear();
    ByteSet().swap(brushBytes);
  }
};

}  // namespace quorvin::editor
