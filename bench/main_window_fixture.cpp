#include "bench/main_window_fixture.h"

#include <QCoreApplication>
#include <QString>

#include "app/layouts/layouts.h"
#include "platform/files.h"
#include "platform/snapshot.h"

namespace quorvin::bench {

MainWindowFixture::MainWindowFixture()
    : window_(platform::BuildWindow(layouts::MainWindowLayout(), dialogs_)) {
  document_.SetTolerance(35);
  document_.SelectIconSize(48);
  document_.SetKeyColour(0);
  source_ = &window_->Get<platform::PicBox>("图片框1");
  preview_ = &window_->Get<platform::PicBox>("图片框2");
  hint_ = qobject_cast<QWidget*>(window_->Find("透明标签2"));
  window_->Open();
  Redraw();
}

MainWindowFixture::~MainWindowFixture() = default;

void MainWindowFixture::Load(const std::filesystem::path& file) {
  source_->SetPicture(platform::ReadWholeFile(QString::fromStdString(file.string())));
  if (hint_ != nullptr) hint_->hide();
}

void MainWindowFixture::Generate() {
  if (!source_->HasPicture()) return;
  document_.Snapshot = platform::TakeSnapshot(*source_, document_.IconSize, document_.IconSize);
  document_.RemoveBackground(/*keyFromCorner=*/true);
  preview_->SetPicture(document_.AssembleIcon());
}

void MainWindowFixture::Redraw() {
  QCoreApplication::processEvents();
}

}  // namespace quorvin::bench
