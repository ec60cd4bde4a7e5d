#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>

#include "core/colour.h"

// A window's layout as constant data: the window's own properties and an ordered list of control
// descriptions. One builder (platform/window_builder.h) turns a layout into a live window.
namespace quorvin::platform {

enum class ControlKind {
  kPicBox,       // 图片框
  kGroupBox,     // 分组框
  kLabel,        // 标签
  kTransLabel,   // 透明标签
  kButton,       // 按钮
  kCheckBox,     // 选择框
  kListBox,      // 列表框
  kSliderBar,    // 滑块条
  kColorPicker,  // 颜色选择器
  kHyperLinker,  // 超级链接框
  kCommonDlg,    // 通用对话框 (non-visual)
  kTimer,        // 时钟 (non-visual)
  kDropTarget,   // 拖放对象 (non-visual)
};

enum class Event {
  kCreated,             // window: after the window and all its controls exist
  kAboutToBeDestroyed,  // window: while it is being closed
  kClicked,             // Button, CheckBox (a check box has already toggled)
  kLeftPress,           // Label, PicBox, HyperLinker: x, y in client coordinates
  kRightPress,          // Label, PicBox
  kPointerMoved,        // PicBox: x, y in client coordinates
  kPositionChanged,     // SliderBar: every movement by the user
  kColourChanged,       // ColorPicker: the user chose a colour in the drop-down
  kTick,                // Timer
  kFilesDropped,        // DropTarget: text = one path, or every path followed by CR LF
};

const char* EventName(Event event);
const char* KindName(ControlKind kind);

// A small set of events, written in the tables as EventSet{Event::kClicked, ...}.
class EventSet {
 public:
  constexpr EventSet() = default;
  constexpr EventSet(std::initializer_list<Event> events) {
    for (Event e : events) bits_ |= Bit(e);
  }
  constexpr bool Has(Event e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }

 private:
  static constexpr std::uint32_t Bit(Event e) { return 1u << static_cast<int>(e); }
  std::uint32_t bits_ = 0;
};

// Border styles. Single-line: a one-pixel line just inside the outer size. Thin sunken: a
// one-pixel sunken edge. Frame: a raised outer edge around a sunken inner edge (two pixels).
// Sunken: the two-pixel sunken edge of a list box.
enum class Border { kNone, kSingle, kThinSunken, kFrame, kSunken };

enum class HAlign { kLeft, kCentre, kRight };
enum class VAlign { kTop, kCentre, kBottom };

// A face name, the character height in pixels (cell height less internal leading) and a weight
// (400 normal, 700 bold). No face: the default GUI font.
struct FontSpec {
  const char* face = nullptr;
  int pixelHeight = 0;
  int weight = 400;
};

struct SliderSpec {
  int minimum = 0;
  int maximum = 100;
  int position = 0;
  int pageSize = 1;  // a click in the track moves by this much
  int lineSize = 1;  // an arrow key moves by this much
};

struct LinkColours {
  ColourValue link = 0x00FF0000;     // blue
  ColourValue visited = 0x00000080;  // after a successful visit
  ColourValue hover = 0x00FF0000;    // while the pointer is over the link
};

// One control. Fields a kind does not use keep their defaults. Write the tables with designated
// initialisers, in the order of the fields.
struct ControlSpec {
  ControlKind kind = ControlKind::kLabel;
  const char* name = "";
  const char* container = nullptr;  // nullptr: the window's client area; else a GroupBox or PicBox
  int left = 0;                     // from the container's client area; may be negative
  int top = 0;
  int width = 0;  // outer size, border included
  int height = 0;
  const char* inFrontOf = nullptr;  // a sibling this control is drawn over
  bool visible = true;
  bool enabled = true;
  const char* text = "";                    // UTF-8; a GroupBox's title, a CommonDlg's file name
  ColourValue textColour = kDefaultColour;  // kDefaultColour: the system's text colour
  ColourValue background = kDefaultColour;  // kDefaultColour: the button-face colour
  Border border = Border::kNone;
  HAlign hAlign = HAlign::kLeft;
  VAlign vAlign = VAlign::kTop;
  bool wordWrap = false;
  FontSpec font{};
  bool checked = false;               // CheckBox
  SliderSpec slider{};                // SliderBar
  ColourValue colour = 0;             // ColorPicker
  LinkColours link{};                 // HyperLinker
  int period = 0;                     // Timer, in ms; 0 or less: stopped
  int dialogType = 0;                 // CommonDlg: 0 open, 1 save
  const char* filter = "";            // CommonDlg: "description|pattern|description|pattern..."
  const char* defaultExtension = "";  // CommonDlg
  bool acceptFiles = false;           // DropTarget
  EventSet events{};                  // the events this control delivers to handlers
};

// Without a window manager's own metrics, the client area is what a fixed three-pixel frame and a
// 23-pixel caption leave of the outer size.
inline constexpr int kFixedFrameWidth = 3;
inline constexpr int kCaptionHeight = 23;

struct WindowLayout {
  const char* name = "";   // the window's name in the program: "MainWindow"
  const char* title = "";  // UTF-8; empty: an empty caption
  int outerWidth = 0;      // frame and caption included
  int outerHeight = 0;
  bool minimiseButton = false;
  bool taskbarButton = false;
  bool ownIcon = false;  // shows the application icon as its own
  EventSet events{};     // kCreated, kAboutToBeDestroyed
  std::span<const ControlSpec> controls;

  constexpr int ClientWidth() const { return outerWidth - 2 * kFixedFrameWidth; }
  constexpr int ClientHeight() const { return outerHeight - 2 * kFixedFrameWidth - kCaptionHeight; }
};

// Visual kinds are widgets; CommonDlg, Timer and DropTarget have no place on screen.
constexpr bool IsVisual(ControlKind kind) {
  return kind != ControlKind::kCommonDlg && kind != ControlKind::kTimer &&
         kind != ControlKind::kDropTarget;
}

// Buttons, check boxes, the slider, the colour pickers and the list boxes take part in Tab focus.
constexpr bool TakesFocus(ControlKind kind) {
  switch (kind) {
    case ControlKind::kButton:
    case ControlKind::kCheckBox:
    case ControlKind::kSliderBar:
    case ControlKind::kColorPicker:
    case ControlKind::kListBox:
      return true;
    default:
      return false;
  }
}

}  // namespace quorvin::platform
