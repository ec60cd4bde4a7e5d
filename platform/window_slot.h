#pragma once

#include <QPointer>
#include <functional>

#include "platform/window.h"

namespace quorvin::platform {

// At most one open window of a layout, opened modeless with no parent. Each opening builds the
// window afresh from its layout; closing it (close button, Esc, Window::Destroy) deletes it.
class WindowSlot {
 public:
  using Binder = std::function<void(Window&)>;

  // `bind` binds the handlers of each new window before its created event runs.
  WindowSlot(const WindowLayout& layout, Dialogs& dialogs, Binder bind);

  // Builds, binds and opens a new window, or, while one is open, restores and activates it.
  Window& Open();
  // The open window, or nullptr.
  Window* Current() const;

 private:
  const WindowLayout& layout_;
  Dialogs& dialogs_;
  Binder bind_;
  QPointer<Window> window_;
};

}  // namespace quorvin::platform
