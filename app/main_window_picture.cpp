// MainWindow: bringing in the source picture, through the open dialog or by a drop.
#include <array>

#include "app/main_window.h"
#include "platform/controls/common_dlg.h"
#include "platform/controls/pic_box.h"
#include "platform/controls/trans_label.h"
#include "platform/files.h"

namespace quorvin::app {

using platform::CommonDlg;

QString DroppedExtension(const QString& text) {
  // lastIndexOf gives -1 without a '.', so the whole text; a final '.' gives an empty one.
  return text.mid(text.lastIndexOf(QLatin1Char('.')) + 1);
}

bool IsDroppablePicture(const QString& text) {
  static constexpr std::array<const char*, 3> kExtensions = {"jpg", "bmp", "ico"};
  const QString extension = DroppedExtension(text);
  for (const char* taken : kExtensions) {
    if (extension == QLatin1String(taken)) return true;
  }
  return false;
}

// An unreadable file reads as no bytes and clears the box; the box recognises the format by
// content, so bytes it cannot decode show nothing and are no error either.
void MainWindowController::ShowSourcePicture(ByteSet bytes) {
  window_->Get<platform::PicBox>("图片框1").SetPicture(std::move(bytes));
  window_->Get<platform::TransLabel>("透明标签2").hide();
}

// The dialog's filter only narrows the list: a typed name of any other picture is taken too.
void MainWindowController::OpenPictureClicked() {
  auto& dialog = window_->Get<CommonDlg>("通用对话框1");
  dialog.SetType(CommonDlg::kOpen);
  dialog.SetFilter(QString::fromUtf8(kOpenFilter));
  if (!dialog.Show() || dialog.FileName().isEmpty()) return;
  ShowSourcePicture(platform::ReadWholeFile(dialog.FileName()));
}

// A drop does not change the dialog's file name.
void MainWindowController::FilesDropped(const QString& text) {
  if (!IsDroppablePicture(text)) {
    Message(kNotAPictureMessage);
    return;
  }
  ShowSourcePicture(platform::ReadWholeFile(text));
}

}  // namespace quorvin::app
