// MainWindow: generating the icon, opening the editor on it and taking the edited icon back.
#include "app/main_window.h"
#include "platform/controls/check_box.h"
#include "platform/controls/pic_box.h"
#include "platform/controls/timer.h"
#include "platform/snapshot.h"

namespace quorvin::app {

using platform::PicBox;

void MainWindowController::GenerateClicked() {
  auto& source = window_->Get<PicBox>("图片框1");
  if (!source.HasPicture()) {
    Message(kNoPictureMessage);
    return;
  }
  IconDocument& doc = state_.document;
  // What the box shows, squeezed to the icon size; a failed snapshot is empty and gives an icon
  // of header and mask only.
  doc.Snapshot = platform::TakeSnapshot(source, doc.IconSize, doc.IconSize);
  doc.RemoveBackground(window_->Get<platform::CheckBox>("选择框3").isChecked());
  window_->Get<PicBox>("图片框2").SetPicture(doc.AssembleIcon());
  if (editor_.Current() != nullptr) editor_.DocumentReplaced();
}

// The editor is modeless and says it is done only through EditorDoneFlag, which the timer polls.
void MainWindowController::ModifyClicked() {
  if (!window_->Get<PicBox>("图片框2").HasPicture()) {
    Message(kNoIconMessage);
    return;
  }
  state_.EditorDoneFlag = 0;
  window_->Get<platform::Timer>("时钟1").SetPeriod(kEditorPollMilliseconds);
  editor_.Open();
}

// The flag stays 1; the timer stops until the editor is opened again.
void MainWindowController::EditorPollTicked() {
  if (state_.EditorDoneFlag != 1) return;
  window_->Get<PicBox>("图片框2").SetPicture(state_.document.IconBytes);
  window_->Get<platform::Timer>("时钟1").SetPeriod(0);
}

}  // namespace quorvin::app
