#include "platform/controls/slider_bar.h"

namespace quorvin::platform {

SliderBar::SliderBar(const ControlSpec& desc, QWidget* parent) : QSlider(Qt::Horizontal, parent) {
  setTickPosition(QSlider::NoTicks);
  setTracking(true);
  setRange(desc.slider.minimum, desc.slider.maximum);
  setValue(desc.slider.position);
  setPageStep(desc.slider.pageSize);
  setSingleStep(desc.slider.lineSize);
  // With tracking on, valueChanged follows the thumb while it is dragged and does not repeat
  // when the drag ends.
  connect(this, &QSlider::valueChanged, this, [this] {
    if (!settingFromProgram_) Raise(Event::kPositionChanged);
  });
}

void SliderBar::SetPosition(int position) {
  settingFromProgram_ = true;
  setValue(position);
  settingFromProgram_ = false;
}

void SliderBar::SetRange(int minimum, int maximum) {
  settingFromProgram_ = true;
  setRange(minimum, maximum);
  settingFromProgram_ = false;
}

}  // namespace quorvin::platform
