#pragma once

#include <QStringList>

#include "platform/dialogs.h"

namespace quorvin::platform {

// The real boxes and dialogs of Qt.
class QtDialogs final : public Dialogs {
 public:
  void ShowMessage(const QString& text) override;
  std::optional<QString> ChooseFile(const FileDialogRequest& request) override;
  std::optional<ColourValue> ChooseColour(ColourValue initial) override;
};

// "desc|*.a;*.b|desc2|*.c" -> {"desc (*.a *.b)", "desc2 (*.c)"}: Qt reads the patterns from the
// last parentheses, separated by spaces. A description without its pattern is dropped.
QStringList ToQtNameFilters(const QString& filter);

// `path` with ".ext" added when its file name has no extension of its own. An empty extension
// or an empty path leaves it as it is.
QString WithDefaultExtension(const QString& path, const QString& extension);

}  // namespace quorvin::platform
