#include "platform/layout.h"

namespace quorvin::platform {

const char* EventName(Event event) {
  switch (event) {
    case Event::kCreated:
      return "created";
    case Event::kAboutToBeDestroyed:
      return "about to be destroyed";
    case Event::kClicked:
      return "clicked";
    case Event::kLeftPress:
      return "left press";
    case Event::kRightPress:
      return "right press";
    case Event::kPointerMoved:
      return "pointer moved";
    case Event::kPositionChanged:
      return "position changed";
    case Event::kColourChanged:
      return "colour changed";
    case Event::kTick:
      return "tick";
    case Event::kFilesDropped:
      return "files dropped";
  }
  return "?";
}

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPicBox:
      return "PicBox";
    case ControlKind::kGroupBox:
      return "GroupBox";
    case ControlKind::kLabel:
      return "Label";
    case ControlKind::kTransLabel:
      return "TransLabel";
    case ControlKind::kButton:
      return "Button";
    case ControlKind::kCheckBox:
      return "CheckBox";
    case ControlKind::kListBox:
      return "ListBox";
    case ControlKind::kSliderBar:
      return "SliderBar";
    case ControlKind::kColorPicker:
      return "ColorPicker";
    case ControlKind::kHyperLinker:
      return "HyperLinker";
    case ControlKind::kCommonDlg:
      return "CommonDlg";
    case ControlKind::kTimer:
      return "Timer";
    case ControlKind::kDropTarget:
      return "DropTarget";
  }
  return "?";
}

}  // namespace quorvin::platform
