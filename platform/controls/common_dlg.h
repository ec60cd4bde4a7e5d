#pragma once

#include <QObject>
#include <QString>

#include "platform/layout.h"

namespace quorvin::platform {

class Dialogs;

// 通用对话框: the open-file and save-file dialog, shown through Dialogs::ChooseFile. Its file name
// is kept from one use to the next, in either mode.
class CommonDlg final : public QObject {
 public:
  static constexpr int kOpen = 0;
  static constexpr int kSave = 1;

  CommonDlg(const ControlSpec& desc, Dialogs& dialogs, QObject* parent = nullptr);

  int Type() const { return type_; }
  void SetType(int type) { type_ = type; }
  QString FileName() const { return fileName_; }
  void SetFileName(const QString& name) { fileName_ = name; }
  // "description|pattern|description|pattern..."; patterns within one part separated by ';'.
  QString Filter() const { return filter_; }
  void SetFilter(const QString& filter) { filter_ = filter; }
  // Without the dot, e.g. "ico".
  QString DefaultExtension() const { return defaultExtension_; }
  void SetDefaultExtension(const QString& extension) { defaultExtension_ = extension; }

  // Shows the dialog (modal) for the current type. On confirmation the file name becomes the
  // full path chosen and the result is true; on cancel nothing changes and the result is false.
  bool Show();

 private:
  Dialogs& dialogs_;
  int type_;
  QString fileName_;
  QString filter_;
  QString defaultExtension_;
};

}  // namespace quorvin::platform
