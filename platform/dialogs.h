#pragma once

#include <QString>
#include <optional>

#include "core/colour.h"

namespace quorvin::platform {

// What a file dialog is opened with. The filter is in the program's own form: pairs of a
// description and a pattern list, every part separated from the next by '|'
// ("图片文件（*.jpg;*.bmp）|*.jpg;*.bmp").
struct FileDialogRequest {
  bool save = false;           // false: open an existing file
  QString fileName{};          // the name offered; may be a full path
  QString filter{};            // empty: every file
  QString defaultExtension{};  // without the dot; added to a typed name that has none
};

// Every message box and modal chooser of the program goes through one of these, so that tests
// answer them without a person (platform/scripted_dialogs.h).
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The standard box: title "信息：", the text, one OK button, no icon, no owner, modal for the
  // whole program. Returns when the user has closed it.
  virtual void ShowMessage(const QString& text) = 0;

  // The full path the user confirmed, or nothing when cancelled. Saving asks before an existing
  // file is replaced; opening takes only a file that exists.
  virtual std::optional<QString> ChooseFile(const FileDialogRequest& request) = 0;

  // Any colour, offered starting from `initial`; nothing when cancelled.
  virtual std::optional<ColourValue> ChooseColour(ColourValue initial) = 0;
};

inline constexpr const char* kMessageTitle = "信息：";

}  // namespace quorvin::platform
