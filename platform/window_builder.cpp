#include <QWidget>

#include "platform/controls/button.h"
#include "platform/controls/check_box.h"
#include "platform/controls/color_picker.h"
#include "platform/controls/common_dlg.h"
#include "platform/controls/drop_target.h"
#include "platform/controls/group_box.h"
#include "platform/controls/hyper_linker.h"
#include "platform/controls/label.h"
#include "platform/controls/list_box.h"
#include "platform/controls/pic_box.h"
#include "platform/controls/slider_bar.h"
#include "platform/controls/timer.h"
#include "platform/controls/trans_label.h"
#include "platform/fonts.h"
#include "platform/window.h"

namespace quorvin::platform {

namespace {

std::logic_error LayoutError(const WindowLayout& layout, const ControlSpec& spec,
                             const char* what) {
  return std::logic_error(std::string(layout.name) + " " + spec.name + ": " + what);
}

// Non-visual kinds belong to the window; visual ones to their container.
QObject* MakeControl(const ControlSpec& spec, QWidget* container, Window& window) {
  switch (spec.kind) {
    case ControlKind::kPicBox:
      return new PicBox(spec, container);
    case ControlKind::kGroupBox:
      return new GroupBox(spec, container);
    case ControlKind::kLabel:
      return new Label(spec, container);
    case ControlKind::kTransLabel:
      return new TransLabel(spec, container);
    case ControlKind::kButton:
      return new Button(spec, container);
    case ControlKind::kCheckBox:
      return new CheckBox(spec, container);
    case ControlKind::kListBox:
      return new ListBox(spec, container);
    case ControlKind::kSliderBar:
      return new SliderBar(spec, container);
    case ControlKind::kColorPicker:
      return new ColorPicker(spec, window.dialogs(), container);
    case ControlKind::kHyperLinker:
      return new HyperLinker(spec, container);
    case ControlKind::kCommonDlg:
      return new CommonDlg(spec, window.dialogs(), &window);
    case ControlKind::kTimer:
      return new Timer(spec, &window);
    case ControlKind::kDropTarget:
      return new DropTarget(spec, &window);
  }
  return nullptr;
}

// Places are measured from the container's client area, inside a picture box's border.
QPoint ClientOrigin(QWidget* container) {
  if (auto* box = dynamic_cast<PicBox*>(container)) return box->ClientRect().topLeft();
  return {};
}

QWidget* ContainerOf(const WindowLayout& layout, const ControlSpec& spec, Window& window) {
  if (spec.container == nullptr) return &window;
  QObject* found = window.Find(spec.container);
  if (found == nullptr) throw LayoutError(layout, spec, "its container comes later or not at all");
  if (dynamic_cast<GroupBox*>(found) == nullptr && dynamic_cast<PicBox*>(found) == nullptr) {
    throw LayoutError(layout, spec, "only a group box or a picture box holds controls");
  }
  return static_cast<QWidget*>(found);
}

void SetUpVisual(const ControlSpec& spec, QWidget& widget, QWidget* container) {
  widget.setObjectName(QString::fromUtf8(spec.name));
  widget.setGeometry(
      QRect(ClientOrigin(container) + QPoint(spec.left, spec.top), QSize(spec.width, spec.height)));
  if (!spec.visible) widget.hide();
  widget.setEnabled(spec.enabled);
  widget.setFocusPolicy(TakesFocus(spec.kind) ? Qt::StrongFocus : Qt::NoFocus);
  if (spec.font.face != nullptr) widget.setFont(FontFor(spec.font));
}

void PutInFront(const WindowLayout& layout, const ControlSpec& spec, QWidget& widget,
                Window& window) {
  if (spec.inFrontOf == nullptr) return;
  auto* behind = dynamic_cast<QWidget*>(window.Find(spec.inFrontOf));
  if (behind == nullptr || behind->parentWidget() != widget.parentWidget()) {
    throw LayoutError(layout, spec, "lies in front of a control that is not its sibling");
  }
  // Later siblings are drawn over earlier ones; raising puts this one over all of them.
  widget.raise();
}

}  // namespace

std::unique_ptr<Window> BuildWindow(const WindowLayout& layout, Dialogs& dialogs) {
  auto window = std::make_unique<Window>(layout, dialogs);
  for (const ControlSpec& spec : layout.controls) {
    QWidget* container = ContainerOf(layout, spec, *window);
    QObject* control = MakeControl(spec, container, *window);
    if (auto* widget = qobject_cast<QWidget*>(control)) {
      SetUpVisual(spec, *widget, container);
    } else {
      control->setObjectName(QString::fromUtf8(spec.name));
    }
    window->AddControl(spec, control);
  }
  // Only once every sibling exists can a control be put over the ones it lies in front of.
  for (const ControlSpec& spec : layout.controls) {
    if (auto* widget = dynamic_cast<QWidget*>(window->Find(spec.name))) {
      PutInFront(layout, spec, *widget, *window);
    }
  }
  return window;
}

}  // namespace quorvin::platform
