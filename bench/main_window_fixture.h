#pragma once

#include <filesystem>
#include <memory>

#include "core/icon_document.h"
#include "platform/controls/pic_box.h"
#include "platform/scripted_dialogs.h"
#include "platform/window.h"

namespace quorvin::bench {

// The program's real main window, built from its layout and shown on the offscreen platform, with
// the icon document set up as the window's creation handler leaves it (tolerance 35, 48 x 48,
// key 0, 0, 0). Load and Generate do what the open button and "生成" do, through the same
// platform calls: the file's bytes into the source box, then snapshot, background removal,
// assembly and the preview.
class MainWindowFixture {
 public:
  MainWindowFixture();
  ~MainWindowFixture();

  // Reads the whole file and gives it to the source box, which decodes it at its own size.
  void Load(const std::filesystem::path& file);
  // The "生成" handler with the key taken from the top-right corner.
  void Generate();
  // Lets Qt run the paints that Load and Generate asked for.
  void Redraw();

  IconDocument& document() { return document_; }
  platform::PicBox& source() { return *source_; }
  platform::PicBox& preview() { return *preview_; }
  platform::Window& window() { return *window_; }

 private:
  platform::ScriptedDialogs dialogs_;
  std::unique_ptr<platform::Window> window_;
  IconDocument document_;
  platform::PicBox* source_ = nullptr;
  platform::PicBox* preview_ = nullptr;
  QWidget* hint_ = nullptr;
};

}  // namespace quorvin::bench
