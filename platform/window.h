#pragma once

#include <QWidget>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/event_source.h"
#include "platform/layout.h"

namespace quorvin::platform {

class Dialogs;

// A live window built from a WindowLayout: fixed size, closed by Esc, with its controls
// addressed by name. Handlers are bound by control name and event before the window is opened.
class Window final : public QWidget {
 public:
  Window(const WindowLayout& layout, Dialogs& dialogs);
  ~Window() override;

  const WindowLayout& Layout() const { return layout_; }
  // The dialogs this window's CommonDlg and ColorPicker use; handlers show messages through it.
  Dialogs& dialogs() const { return dialogs_; }

  // The control of that name and kind, e.g. Get<PicBox>("图片框1"). A missing name or another
  // kind is a programming error: std::logic_error.
  template <class T>
  T& Get(std::string_view name) const {
    T* control = dynamic_cast<T*>(Find(name));
    if (control == nullptr) throw std::logic_error("no such control: " + std::string(name));
    return *control;
  }
  QObject* Find(std::string_view name) const;  // nullptr when there is none

  // Binds the handler of one event of one control; replaces an earlier one. Binding an event the
  // layout does not promise for that control is a programming error: std::logic_error.
  void On(std::string_view control, Event event, Handler handler);
  // The window's own events (kCreated, kAboutToBeDestroyed).
  void On(Event event, Handler handler);
  // Every event the layout promises that has no handler, as "按钮1 clicked" ("MainWindow created"
  // for the window's own).
  std::vector<std::string> UnboundEvents() const;

  // First time: runs the created event, centres the window on the primary screen and shows it.
  // Later: shows it again, restoring it if minimised, and activates it.
  void Open();
  bool HasRunCreated() const { return created_; }
  // True from the moment it is closed until it is opened again.
  bool IsClosed() const { return closing_; }
  // Closes the window as its close button does; a window owned by a WindowSlot is then deleted
  // once the running handler has returned.
  void Destroy() { close(); }

  // Used by the builder.
  void AddControl(const ControlSpec& desc, QObject* control);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void Dispatch(const std::string& control, Event event, const EventArgs& args);
  const ControlSpec* SpecOf(std::string_view name) const;

  const WindowLayout& layout_;
  Dialogs& dialogs_;
  std::map<std::string, QObject*, std::less<>> controls_;
  // Handlers by control name ("" for the window itself), then by event.
  std::map<std::string, std::map<Event, Handler>, std::less<>> handlers_;
  bool created_ = false;
  bool shown_ = false;
  bool closing_ = false;
};

// Builds the window and every control of the layout, each container before its contents and
// with its initial values. Runs no handler and shows nothing: bind handlers, then Open().
// A layout that names a missing or later container is a programming error: std::logic_error.
std::unique_ptr<Window> BuildWindow(const WindowLayout& layout, Dialogs& dialogs);

// Where the top-left corner of the window's frame goes so that its outer size is centred on the
// primary screen.
QPoint CentredPlace(const WindowLayout& layout);

}  // namespace quorvin::platform
