#include "platform/controls/common_dlg.h"

#include "platform/dialogs.h"

namespace quorvin::platform {

CommonDlg::CommonDlg(const ControlSpec& desc, Dialogs& dialogs, QObject* parent)
    : QObject(parent),
      dialogs_(dialogs),
      type_(desc.dialogType),
      fileName_(QString::fromUtf8(desc.text)),
      filter_(QString::fromUtf8(desc.filter)),
      defaultExtension_(QString::fromUtf8(desc.defaultExtension)) {}

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
