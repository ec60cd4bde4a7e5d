#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "editor/editor.h"
#include "editor/program_state.h"
#include "platform/window.h"

namespace quorvin::app {

// The texts the main window shows in its message boxes.
inline constexpr const char* kNoPictureMessage = "请先加入需要生成的图片";
inline constexpr const char* kNoIconMessage = "请先生成ICO图片";
inline constexpr const char* kNotAPictureMessage = "该文件不是图片文件或暂不支持该格式图片";
inline constexpr const char* kSaveFailedMessage = "保存失败，无法写入该文件";

// The two filters of the shared file dialog.
inline constexpr const char* kOpenFilter = "图片文件（*.jpg;*.bmp）|*.jpg;*.bmp";
inline constexpr const char* kSaveFilter = "图片文件（*.ico）|*.ico";
inline constexpr const char* kIconExtension = "ico";

// The editor's done flag is polled this often while the editor may still be open.
inline constexpr int kEditorPollMilliseconds = 1000;

// The extension of a dropped file's text: what follows its last '.', the whole text when it has
// none. Several files end in CR LF, so their extension never names a picture.
QString DroppedExtension(const QString& text);
// Only these exact, lower-case extensions are taken from a drop.
bool IsDroppablePicture(const QString& text);

// MainWindow: builds the window from its layout and binds a handler to every event the layout
// promises. Everything it does goes to the program-wide state, the window's own controls, the
// dialogs and the editor.
class MainWindowController {
 public:
  // Called when MainWindow is about to be destroyed, after any editor window has been closed.
  // The program passes a function that ends the message loop with exit code 0.
  using ExitProgram = std::function<void()>;

  MainWindowController(editor::ProgramState& state, platform::Dialogs& dialogs,
                       editor::Editor& editor, ExitProgram exitProgram);
  ~MainWindowController();

  MainWindowController(const MainWindowController&) = delete;
  MainWindowController& operator=(const MainWindowController&) = delete;

  // Runs the created handler, then centres and shows the window.
  void Open();
  platform::Window& window() const { return *window_; }

  // The handlers, one per event; bound by the constructor.
  void Created();
  void AboutToBeDestroyed();
  void OpenPictureClicked();
  void FilesDropped(const QString& text);
  void Size48Clicked();
  void Size16Clicked();
  void KeyColourChosen();
  void TolerancePositionChanged();
  void GenerateClicked();
  void ModifyClicked();
  void EditorPollTicked();
  void SaveClicked();

 private:
  void Bind();
  void ShowSourcePicture(ByteSet bytes);
  void Message(const char* text);

  editor::ProgramState& state_;
  platform::Dialogs& dialogs_;
  editor::Editor& editor_;
  ExitProgram exitProgram_;
  std::unique_ptr<platform::Window> window_;
};

}  // namespace quorvin::app
