#include "platform/window_slot.h"

namespace quorvin::platform {

WindowSlot::WindowSlot(const WindowLayout& layout, Dialogs& dialogs, Binder bind)
    : layout_(layout), dialogs_(dialogs), bind_(std::move(bind)) {}

Window* WindowSlot::Current() const {
  // A window that has been closed is only waiting to be deleted.
  if (window_ == nullptr || window_->IsClosed()) return nullptr;
  return window_;
}

Window& WindowSlot::Open() {
  if (Window* open = Current()) {
    open->Open();
    return *open;
  }
  std::unique_ptr<Window> built = BuildWindow(layout_, dialogs_);
  built->setAttribute(Qt::WA_DeleteOnClose);
  if (bind_) bind_(*built);
  window_ = built.release();
  window_->Open();
  return *window_;
}

}  // namespace quorvin::platform
