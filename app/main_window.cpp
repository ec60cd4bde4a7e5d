// MainWindow: building and binding, start values, exit, and the option controls (size boxes,
// key colour picker, tolerance slider).
#include "app/main_window.h"

#include "app/layouts/layouts.h"
#include "platform/controls/check_box.h"
#include "platform/controls/color_picker.h"
#include "platform/controls/drop_target.h"
#include "platform/controls/slider_bar.h"
#include "platform/controls/trans_label.h"
#include "platform/dialogs.h"

namespace quorvin::app {

using platform::CheckBox;
using platform::Event;
using platform::EventArgs;

namespace {

constexpr std::int32_t kStartTolerance = 35;
constexpr int kStartIconSize = 48;

}  // namespace

MainWindowController::MainWindowController(editor::ProgramState& state, platform::Dialogs& dialogs,
                                           editor::Editor& editor, ExitProgram exitProgram)
    : state_(state),
      dialogs_(dialogs),
      editor_(editor),
      exitProgram_(std::move(exitProgram)),
      window_(platform::BuildWindow(layouts::MainWindowLayout(), dialogs)) {
  Bind();
}

MainWindowController::~MainWindowController() = default;

void MainWindowController::Bind() {
  platform::Window& w = *window_;
  auto run = [this](void (MainWindowController::*handler)()) {
    return [this, handler](const EventArgs&) { (this->*handler)(); };
  };
  w.On(Event::kCreated, run(&MainWindowController::Created));
  w.On(Event::kAboutToBeDestroyed, run(&MainWindowController::AboutToBeDestroyed));
  w.On("按钮打开", Event::kClicked, run(&MainWindowController::OpenPictureClicked));
  w.On("拖放对象1", Event::kFilesDropped, [this](const EventArgs& a) { FilesDropped(a.text); });
  w.On("选择框1", Event::kClicked, run(&MainWindowController::Size48Clicked));
  w.On("选择框2", Event::kClicked, run(&MainWindowController::Size16Clicked));
  w.On("颜色选择器1", Event::kColourChanged, run(&MainWindowController::KeyColourChosen));
  w.On("滑块条1", Event::kPositionChanged, run(&MainWindowController::TolerancePositionChanged));
  w.On("按钮1", Event::kClicked, run(&MainWindowController::GenerateClicked));
  w.On("按钮2", Event::kClicked, run(&MainWindowController::ModifyClicked));
  w.On("时钟1", Event::kTick, run(&MainWindowController::EditorPollTicked));
  w.On("按钮保存", Event::kClicked, run(&MainWindowController::SaveClicked));
}

void MainWindowController::Open() {
  window_->Open();
}

void MainWindowController::Message(const char* text) {
  dialogs_.ShowMessage(QString::fromUtf8(text));
}

void MainWindowController::Created() {
  IconDocument& doc = state_.document;
  doc.SetTolerance(kStartTolerance);
  doc.SelectIconSize(kStartIconSize);
  // Registered on the window itself, so that a drop over any control reaches it.
  auto& drop = window_->Get<platform::DropTarget>("拖放对象1");
  drop.RegisterOn(*window_);
  drop.SetAcceptFiles(true);
  doc.SetKeyColour(MakeColour(0, 0, 0));
}

void MainWindowController::AboutToBeDestroyed() {
  // The editor and its instructions go with the program.
  if (platform::Window* instructions = editor_.CurrentInstructions()) instructions->Destroy();
  if (platform::Window* open = editor_.Current()) open->Destroy();
  if (exitProgram_) exitProgram_();
}

// The boxes are kept exclusive by hand. The clicked box's own new state is not consulted: a
// click that unchecks it still selects its size.
void MainWindowController::Size48Clicked() {
  window_->Get<CheckBox>("选择框2").setChecked(false);
  state_.document.SelectIconSize(48);
}

void MainWindowController::Size16Clicked() {
  window_->Get<CheckBox>("选择框1").setChecked(false);
  state_.document.SelectIconSize(16);
}

// A picked colour stays the key: the corner would otherwise replace it at the next generation.
void MainWindowController::KeyColourChosen() {
  state_.document.SetKeyColour(window_->Get<platform::ColorPicker>("颜色选择器1").Colour());
  window_->Get<CheckBox>("选择框3").setChecked(false);
}

void MainWindowController::TolerancePositionChanged() {
  const int position = window_->Get<platform::SliderBar>("滑块条1").Position();
  window_->Get<platform::TransLabel>("透明标签1").SetText(QString::number(position));
  state_.document.SetTolerance(position);
}

}  // namespace quorvin::app
