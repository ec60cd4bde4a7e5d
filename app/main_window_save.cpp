// MainWindow: saving the previewed icon.
#include <QSaveFile>

#include "app/main_window.h"
#include "platform/controls/common_dlg.h"
#include "platform/controls/pic_box.h"

namespace quorvin::app {

using platform::CommonDlg;

namespace {

// Creates or replaces the file with exactly these bytes, or leaves it as it was: they go to a
// temporary file beside it, which is synced and renamed over it only when every byte is written.
// Unbuffered on purpose: a buffered QSaveFile (Qt 6.4) writes its buffer out in commit() and does
// not notice when only part of it reached the disk (disk full, file size limit), and would rename
// the truncated file over the old icon and report success.
bool WriteIconFile(const QString& path, const ByteSet& bytes) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  const auto size = static_cast<qint64>(bytes.size());
  if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

}  // namespace

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
  if (!WriteIconFile(dialog.FileName(), preview.Picture())) Message(kSaveFailedMessage);
}

}  // namespace quorvin::app
