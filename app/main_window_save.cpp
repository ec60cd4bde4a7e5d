// MainWindow: saving the previewed icon.
#include "app/main_window.h"
#include "platform/controls/common_dlg.h"
#include "platform/controls/pic_box.h"
#include "platform/files.h"

namespace quorvin::app {

using platform::CommonDlg;

// The bytes saved are the preview's, not IconBytes: edits reach the preview, and so the file,
// only through the editor's done button and the timer.
void MainWindowController::SaveClicked() {
  const auto& preview = window_->Get<platform::PicBox>("图片框2");
  if (!preview.HasPicture()) return;
  auto& dialog = window_->Get<CommonDlg>("通用对话框1");
  dialog.SetType(CommonDlg::kSave);
  dialog.SetDefaultExtension(QString::fromUtf8(kIconExtension));
  dialog.SetFilter(QString::fromUtf8(kSaveFilter));
  if (!dialog.Show() || dialog.FileName().isEmpty()) return;
  // Read now, not before the dialog: the timer may have brought the edited icon in meanwhile.
  // A failure is said out loud: a user who believed the icon saved would close the program and
  // lose it.
  if (!platform::WriteWholeFile(dialog.FileName(), preview.Picture())) Message(kSaveFailedMessage);
}

}  // namespace quorvin::app
