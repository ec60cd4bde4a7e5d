#include "bench/main_window_fixture.h"

#include <QCoreApplication>
#include <QString>

#include "app/layouts/layouts.h"

namespace quorvin::bench {

MainWindowFixture::MainWindowFixture()
    : editor_(std::make_unique<editor::Editor>(
          layouts::EditorWindowLayout(), layouts::InstructionsWindowLayout(), state_, dialogs_)),
      main_(std::make_unique<app::MainWindowController>(state_, dialogs_, *editor_, nullptr)) {
  main_->Open();
  Redraw();
}

MainWindowFixture::~MainWindowFixture() {
  if (platform::Window* open = editor_->Current()) open->Destroy();
  main_.reset();
  editor_.reset();
}

platform::PicBox& MainWindowFixture::source() const {
  return main_->window().Get<platform::PicBox>("图片框1");
}

void MainWindowFixture::Load(const std::filesystem::path& file) {
  dialogs_.AnswerFile(QString::fromStdString(file.string()));
  main_->OpenPictureClicked();
}

void MainWindowFixture::Generate() {
  main_->GenerateClicked();
}

void MainWindowFixture::OpenEditor() {
  main_->ModifyClicked();
  Redraw();
}

void MainWindowFixture::Redraw() {
  QCoreApplication::processEvents();
}

}  // namespace quorvin::bench
