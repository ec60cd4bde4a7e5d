#include "platform/controls/common_dlg.h"

#include "platform/dialogs.h"

namespace quorvin::platform {

CommonDlg::CommonDlg(const ControlSpec& spec, Dialogs& dialogs, QObject* parent)
    : QObject(parent),
      dialogs_(dialogs),
      type_(spec.dialogType),
      fileName_(QString::fromUtf8(spec.text)),
      filter_(QString::fromUtf8(spec.filter)),
      defaultExtension_(QString::fromUtf8(spec.defaultExtension)) {}

bool CommonDlg::Show() {
  FileDialogRequest request;
  request.save = type_ == kSave;
  request.fileName = fileName_;
  request.filter = filter_;
  request.defaultExtension = defaultExtension_;
  const std::optional<QString> chosen = dialogs_.ChooseFile(request);
  if (!chosen) return false;
  fileName_ = *chosen;
  return true;
}

}  // namespace quorvin::platform
