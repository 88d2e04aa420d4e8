// Timers of the one user-interface thread, and the form-designer timer control built on them:
// an interval of 0 stops it, any other interval (re)starts it.
#pragma once

#include <functional>

namespace snapwell {

class Timers {
 public:
  using TimerId = int;
  virtual ~Timers() = default;
  // Calls tick every intervalMs (at least 1) on the user-interface thread until stopped.
  // Ticks never overlap; a tick may stop or restart its own timer. Ids are never 0.
  virtual TimerId StartTimer(int intervalMs, std::function<void()> tick) = 0;
  // Stopping an id that is not running is not an error.
  virtual void StopTimer(TimerId id) = 0;
};

// A form's timer control (`Timer1`): Interval 0 means stopped.
class FormTimer {
 public:
  FormTimer(Timers& timers, std::function<void()> tick);
  ~FormTimer();
  FormTimer(const FormTimer&) = delete;
  FormTimer& operator=(const FormTimer&) = delete;

  void SetInterval(int intervalMs);
  int Interval() const { return interval_; }

 private:
  Timers& timers_;
  std::function<void()> tick_;
  Timers::TimerId running_ = 0;
  int interval_ = 0;
};

}  // namespace snapwell
