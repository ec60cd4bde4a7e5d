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

std::logic_error LayoutError(const WindowLayout& layout, const ControlSpec& desc,
                             const char* what) {
  return std::logic_error(std::string(layout.name) + " " + desc.name + ": " + what);
}

// Non-visual kinds belong to the window; visual ones to their container.
QObject* MakeControl(const ControlSpec& desc, QWidget* container, Window& window) {
  switch (desc.kind) {
    case ControlKind::kPicBox:
      return new PicBox(desc, container);
    case ControlKind::kGroupBox:
      return new GroupBox(desc, container);
    case ControlKind::kLabel:
      return new Label(desc, container);
    case ControlKind::kTransLabel:
      return new TransLabel(desc, container);
    case ControlKind::kButton:
      return new Button(desc, container);
    case ControlKind::kCheckBox:
      return new CheckBox(desc, container);
    case ControlKind::kListBox:
      return new ListBox(desc, container);
    case ControlKind::kSliderBar:
      return new SliderBar(desc, container);
    case ControlKind::kColorPicker:
      return new ColorPicker(desc, window.dialogs(), container);
    case ControlKind::kHyperLinker:
      return new HyperLinker(desc, container);
    case ControlKind::kCommonDlg:
      return new CommonDlg(desc, window.dialogs(), &window);
    case ControlKind::kTimer:
      return new Timer(desc, &window);
    case ControlKind::kDropTarget:
      return new DropTarget(desc, &window);
  }
  return nullptr;
}

// Places are measured from the container's client area, inside a picture box's border.
QPoint ClientOrigin(QWidget* container) {
  if (auto* box = dynamic_cast<PicBox*>(container)) return box->ClientRect().topLeft();
  return {};
}

QWidget* ContainerOf(const WindowLayout& layout, const ControlSpec& desc, Window& window) {
  if (desc.container == nullptr) return &window;
  QObject* found = window.Find(desc.container);
  if (found == nullptr) throw LayoutError(layout, desc, "its container comes later or not at all");
  if (dynamic_cast<GroupBox*>(found) == nullptr && dynamic_cast<PicBox*>(found) == nullptr) {
    throw LayoutError(layout, desc, "only a group box or a picture box holds controls");
  }
  return static_cast<QWidget*>(found);
}

void SetUpVisual(const ControlSpec& desc, QWidget& widget, QWidget* container) {
  widget.setObjectName(QString::fromUtf8(desc.name));
  widget.setGeometry(
      QRect(ClientOrigin(container) + QPoint(desc.left, desc.top), QSize(desc.width, desc.height)));
  if (!desc.visible) widget.hide();
  widget.setEnabled(desc.enabled);
  widget.setFocusPolicy(TakesFocus(desc.kind) ? Qt::StrongFocus : Qt::NoFocus);
  if (desc.font.face != nullptr) widget.setFont(FontFor(desc.font));
}

void PutInFront(const WindowLayout& layout, const ControlSpec& desc, QWidget& widget,
                Window& window) {
  if (desc.inFrontOf == nullptr) return;
  auto* behind = dynamic_cast<QWidget*>(window.Find(desc.inFrontOf));
  if (behind == nullptr || behind->parentWidget() != widget.parentWidget()) {
    throw LayoutError(layout, desc, "lies in front of a control that is not its sibling");
  }
  // Later siblings are drawn over earlier ones; raising puts this one over all of them.
  widget.raise();
}

}  // namespace

std::unique_ptr<Window> BuildWindow(const WindowLayout& layout, Dialogs& dialogs) {
  auto window = std::make_unique<Window>(layout, dialogs);
  for (const ControlSpec& desc : layout.controls) {
    QWidget* container = ContainerOf(layout, desc, *window);
    QObject* control = MakeControl(desc, container, *window);
    if (auto* widget = qobject_cast<QWidget*>(control)) {
      SetUpVisual(desc, *widget, container);
    } else {
      control->setObjectName(QString::fromUtf8(desc.name));
    }
    window->AddControl(desc, control);
  }
  // Only once every sibling exists can a control be put over the ones it lies in front of.
  for (const ControlSpec& desc : layout.controls) {
    if (auto* widget = dynamic_cast<QWidget*>(window->Find(desc.name))) {
      PutInFront(layout, desc, *widget, *window);
    }
  }
  return window;
}

}  // namespace quorvin::platform
