#include "platform/timers.h"

#include <utility>

namespace snapwell {

FormTimer::FormTimer(Timers& timers, std::function<void()> tick) : timers_(timers), tick_(std::move(tick)) {}

FormTimer::~FormTimer() {
  SetInterval(0);
}

void FormTimer::SetInterval(int intervalMs) {
  if (intervalMs < 0) intervalMs = 0;
  if (running_ != 0) {
    timers_.StopTimer(running_);
    running_ = 0;
  }
  interval_ = intervalMs;
  if (interval_ > 0) running_ = timers_.StartTimer(interval_, [this] { tick_(); });
}

}  // namespace snapwell
