#pragma once

#include <filesystem>
#include <memory>

#include "app/main_window.h"
#include "editor/editor.h"
#include "editor/program_state.h"
#include "platform/controls/pic_box.h"
#include "platform/scripted_dialogs.h"

namespace quorvin::bench {

// The program's own main window with its real handlers, shown on the offscreen platform, and the
// editor behind it. Dialogs are answered by a script, so the open button reads the file named.
class MainWindowFixture {
 public:
  MainWindowFixture();
  ~MainWindowFixture();

  // The open button ("更换图片") with `file` chosen in its dialog: the file's bytes go to the
  // source box 图片框1, which decodes them at its own size.
  void Load(const std::filesystem::path& file);
  // "生成": snapshot of 图片框1, background removal, assembly, the preview 图片框2.
  void Generate();
  // "修改": opens the editor on the generated icon.
  void OpenEditor();
  // Lets Qt run the paints the handlers asked for.
  static void Redraw();

  editor::ProgramState& state() { return state_; }
  IconDocument& document() { return state_.document; }
  platform::PicBox& source() const;
  platform::Window& window() const { return main_->window(); }
  platform::Window* editorWindow() const { return editor_->Current(); }
  platform::ScriptedDialogs& dialogs() { return dialogs_; }

 private:
  editor::ProgramState state_;
  platform::ScriptedDialogs dialogs_;
  std::unique_ptr<editor::Editor> editor_;
  std::unique_ptr<app::MainWindowController> main_;
};

}  // namespace quorvin::bench
