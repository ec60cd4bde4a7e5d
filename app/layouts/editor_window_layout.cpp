#include "app/layouts/layouts.h"

namespace quorvin::layouts {

namespace {

using platform::Border;
using platform::ControlKind;
using platform::ControlSpec;
using platform::Event;
using platform::HAlign;
using platform::LinkColours;

// A palette swatch: 16 x 16, single-line border, no text, its colour as background.
constexpr ControlSpec Swatch(const char* name, int left, int top, ColourValue colour) {
  return {.kind = ControlKind::kLabel,
          .name = name,
          .left = left,
          .top = top,
          .width = 16,
          .height = 16,
          .background = colour,
          .border = Border::kSingle,
          .events = {Event::kLeftPress}};
}

// The undo history's storage, wholly right of the 316-pixel client area: never seen.
constexpr ControlSpec HiddenList(const char* name, int left) {
  return {.kind = ControlKind::kListBox,
          .name = name,
          .left = left,
          .top = 16,
          .width = 112,
          .height = 288,
          .border = Border::kSunken};
}

constexpr ControlSpec kControls[] = {
    // The canvas view: a one-pixel border leaves a 238 x 238 client area.
    {.kind = ControlKind::kPicBox,
     .name = "图片框1",
     .left = 37,
     .top = 8,
     .width = 240,
     .height = 240,
     .border = Border::kSingle,
     .events = {Event::kPointerMoved, Event::kLeftPress, Event::kRightPress}},
    // The brush marker: starts over the lower part of 标签右4 and moves over the view later.
    {.kind = ControlKind::kLabel,
     .name = "标签1",
     .left = 288,
     .top = 88,
     .width = 16,
     .height = 16,
     .inFrontOf = "标签右4",
     .background = kDefaultColour,
     .events = {Event::kLeftPress, Event::kRightPress}},
    // The left column steps by 22 and by 24 for its last swatch; the right by 22 throughout.
    Swatch("标签左1", 11, 16, 0x000000FF),
    Swatch("标签左2", 11, 38, 0x000080FF),
    Swatch("标签左3", 11, 60, 0x0000FFFF),
    Swatch("标签左4", 11, 82, 0x00008000),
    Swatch("标签左5", 11, 104, 0x00FF0000),
    Swatch("标签左6", 11, 126, 0x00FFFFFF),
    Swatch("标签左7", 11, 150, 0x00000000),
    Swatch("标签右1", 288, 16, 0x00000080),
    Swatch("标签右2", 288, 38, 0x000060C0),
    Swatch("标签右3", 288, 60, 0x0000D8D8),
    Swatch("标签右4", 288, 82, 0x0000FF00),
    Swatch("标签右5", 288, 104, 0x00FF8800),
    Swatch("标签右6", 288, 126, 0x00C0C0C0),
    Swatch("标签右7", 288, 148, 0x00808080),
    {.kind = ControlKind::kButton,
     .name = "按钮1",
     .left = 37,
     .top = 253,
     .width = 80,
     .height = 32,
     .text = "撤销",
     .events = {Event::kClicked}},
    {.kind = ControlKind::kCheckBox,
     .name = "选择框1",
     .left = 128,
     .top = 262,
     .width = 64,
     .height = 16,
     .text = "透明色",
     .textColour = 0x00FF8800,
     .checked = true,
     .events = {Event::kClicked}},
    {.kind = ControlKind::kButton,
     .name = "按钮2",
     .left = 197,
     .top = 253,
     .width = 80,
     .height = 32,
     .text = "完成",
     .events = {Event::kClicked}},
    {.kind = ControlKind::kColorPicker,
     .name = "颜色选择器1",
     .left = 126,
     .top = 283,
     .width = 64,
     .height = 24,
     .colour = 0x00000000,
     .events = {Event::kColourChanged}},
    // No link target: a press opens nothing by itself.
    {.kind = ControlKind::kHyperLinker,
     .name = "超级链接框1",
     .left = 206,
     .top = 293,
     .width = 96,
     .height = 16,
     .text = "操作说明",
     .hAlign = HAlign::kCentre,
     .link = LinkColours{.link = 0x00FF0000, .visited = 0x00000080, .hover = 0x00C56A31},
     .events = {Event::kLeftPress}},
    HiddenList("列表框1", 368),
    HiddenList("列表框2", 488),
    HiddenList("列表框3", 608),
    {.kind = ControlKind::kTimer, .name = "时钟1", .period = 0},
};

constexpr platform::WindowLayout kLayout{
    .name = "EditorWindow",
    .title = "",
    .outerWidth = 322,
    .outerHeight = 346,
    .minimiseButton = true,
    .taskbarButton = false,
    .ownIcon = false,
    .events = {Event::kCreated},
    .controls = kControls,
};

}  // namespace

const platform::WindowLayout& EditorWindowLayout() {
  return kLayout;
}

}  // namespace quorvin::layouts
