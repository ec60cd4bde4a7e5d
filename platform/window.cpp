#include "platform/window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "platform/app_icon.h"

namespace quorvin::platform {

namespace {

Qt::WindowFlags FlagsFor(const WindowLayout& layout) {
  // A tool window has no taskbar button on X11 desktops; Qt 6.4 offers no other way.
  Qt::WindowFlags flags = layout.taskbarButton ? Qt::Window : Qt::Tool;
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
  if (layout.minimiseButton) flags |= Qt::WindowMinimizeButtonHint;
  return flags;
}

}  // namespace

Window::Window(const WindowLayout& layout, Dialogs& dialogs)
    : QWidget(nullptr, FlagsFor(layout)), layout_(layout), dialogs_(dialogs) {
  setObjectName(QString::fromUtf8(layout.name));
  // Qt shows the application's name in place of an empty title; a blank keeps the caption empty.
  const QString title = QString::fromUtf8(layout.title);
  setWindowTitle(title.isEmpty() ? QStringLiteral(" ") : title);
  setFixedSize(layout.ClientWidth(), layout.ClientHeight());
  if (layout.ownIcon) setWindowIcon(AppIcon());
}

Window::~Window() {
  // The controls outlive this body by a moment (QWidget deletes its children later); nothing
  // they do then reaches the handlers.
  for (auto& [name, control] : controls_) {
    if (auto* source = dynamic_cast<EventSource*>(control)) source->SetEventSink(nullptr);
  }
}

QObject* Window::Find(std::string_view name) const {
  const auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second;
}

const ControlSpec* Window::SpecOf(std::string_view name) const {
  for (const ControlSpec& desc : layout_.controls) {
    if (name == desc.name) return &desc;
  }
  return nullptr;
}

void Window::AddControl(const ControlSpec& desc, QObject* control) {
  const std::string name = desc.name;
  if (!controls_.emplace(name, control).second) {
    throw std::logic_error("two controls named " + name + " in " + layout_.name);
  }
  if (auto* source = dynamic_cast<EventSource*>(control)) {
    source->SetEventSink(
        [this, name](Event event, const EventArgs& args) { Dispatch(name, event, args); });
  }
}

void Window::On(std::string_view control, Event event, Handler handler) {
  const ControlSpec* desc = SpecOf(control);
  if (desc == nullptr || !desc->events.Has(event)) {
    throw std::logic_error(std::string(layout_.name) + " " + std::string(control) +
                           " does not deliver " + EventName(event));
  }
  handlers_[std::string(control)][event] = std::move(handler);
}

void Window::On(Event event, Handler handler) {
  if (!layout_.events.Has(event)) {
    throw std::logic_error(std::string(layout_.name) + " does not deliver " + EventName(event));
  }
  handlers_[std::string()][event] = std::move(handler);
}

std::vector<std::string> Window::UnboundEvents() const {
  std::vector<std::string> missing;
  auto check = [&](const std::string& name, const std::string& shown, EventSet events) {
    for (int e = 0; e <= static_cast<int>(Event::kFilesDropped); ++e) {
      const Event event = static_cast<Event>(e);
      if (!events.Has(event)) continue;
      const auto it = handlers_.find(name);
      if (it == handlers_.end() || !it->second.contains(event)) {
        missing.push_back(shown + " " + EventName(event));
      }
    }
  };
  check("", layout_.name, layout_.events);
  for (const ControlSpec& desc : layout_.controls) check(desc.name, desc.name, desc.events);
  return missing;
}

void Window::Dispatch(const std::string& control, Event event, const EventArgs& args) {
  const auto byControl = handlers_.find(control);
  if (byControl == handlers_.end()) return;
  const auto it = byControl->second.find(event);
  if (it == byControl->second.end()) return;
  // A copy, so a handler that rebinds its own event does not destroy itself while it runs.
  const Handler handler = it->second;
  handler(args);
}

QPoint CentredPlace(const WindowLayout& layout) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QRect area = screen->geometry();
  return {area.left() + (area.width() - layout.outerWidth) / 2,
          area.top() + (area.height() - layout.outerHeight) / 2};
}

void Window::Open() {
  if (!created_) {
    created_ = true;
    Dispatch("", Event::kCreated, {});
    if (closing_) return;  // its created handler closed it
  }
  closing_ = false;
  if (!shown_) {
    shown_ = true;
    move(CentredPlace(layout_));
    show();
  } else {
    // Already open: brought back and to the front instead of made anew.
    if (isMinimized()) {
      showNormal();
    } else {
      show();
    }
    raise();
  }
  activateWindow();
}

void Window::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      close();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return;  // Enter does not move the focus
    default:
      QWidget::keyPressEvent(event);
  }
}

void Window::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    closing_ = true;
    Dispatch("", Event::kAboutToBeDestroyed, {});
  }
  event->accept();
}

}  // namespace quorvin::platform
