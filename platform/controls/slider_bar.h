#pragma once

#include <QSlider>

#include "platform/event_source.h"

namespace quorvin::platform {

// 滑块条: a horizontal track bar. kPositionChanged on every movement by the user (each key step,
// each click in the track, each step while the thumb is dragged), never for SetPosition().
class SliderBar final : public QSlider, public EventSource {
 public:
  explicit SliderBar(const ControlSpec& desc, QWidget* parent = nullptr);

  int Position() const { return value(); }
  // Kept within minimum and maximum; raises nothing.
  void SetPosition(int position);
  void SetRange(int minimum, int maximum);

 private:
  bool settingFromProgram_ = false;
};

}  // namespace quorvin::platform
