#include "app/layouts/layouts.h"

namespace quorvin::layouts {

namespace {

using platform::Border;
using platform::ControlKind;
using platform::ControlSpec;
using platform::HAlign;
using platform::VAlign;

constexpr ControlSpec kControls[] = {
    {.kind = ControlKind::kLabel,
     .name = "标签1",
     .left = 11,
     .top = 5,
     .width = 352,
     .height = 48,
     .text = "功能：可以透明色块，可以增加色块！\r\n快捷：鼠标右键快捷撤销",
     .textColour = 0x00000000,
     .border = Border::kFrame,
     .hAlign = HAlign::kLeft,
     .vAlign = VAlign::kTop,
     .wordWrap = true,
     .font = {.face = "黑体", .pixelHeight = 16, .weight = 400}},
};

constexpr platform::WindowLayout kLayout{
    .name = "InstructionsWindow",
    .title = "",
    .outerWidth = 380,
    .outerHeight = 90,
    .minimiseButton = false,
    .taskbarButton = false,
    .ownIcon = false,
    .events = {},
    .controls = kControls,
};

}  // namespace

const platform::WindowLayout& InstructionsWindowLayout() {
  return kLayout;
}

}  // namespace quorvin::layouts
