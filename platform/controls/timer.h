#pragma once

#include <QObject>
#include <QTimer>

#include "platform/event_source.h"

namespace quorvin::platform {

// 时钟: raises kTick every `period` milliseconds while the period is more than 0.
class Timer final : public QObject, public EventSource {
 public:
  explicit Timer(const ControlSpec& desc, QObject* parent = nullptr);

  int Period() const { return period_; }
  // 0 or less stops it. A running timer given its own period again goes on unchanged.
  void SetPeriod(int milliseconds);
  bool IsRunning() const { return timer_.isActive(); }

 private:
  QTimer timer_;
  int period_ = 0;
};

}  // namespace quorvin::platform
