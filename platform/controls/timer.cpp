#include "platform/controls/timer.h"

namespace quorvin::platform {

Timer::Timer(const ControlSpec& desc, QObject* parent) : QObject(parent) {
  timer_.setTimerType(Qt::CoarseTimer);
  connect(&timer_, &QTimer::timeout, this, [this] { Raise(Event::kTick); });
  SetPeriod(desc.period);
}

void Timer::SetPeriod(int milliseconds) {
  if (milliseconds <= 0) {
    period_ = 0;
    timer_.stop();
    return;
  }
  if (timer_.isActive() && milliseconds == period_) return;
  period_ = milliseconds;
  timer_.start(milliseconds);
}

}  // namespace quorvin::platform
