#include "platform/timers.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/fake_platform.h"

namespace snapwell {
namespace {

TEST(FormTimer, IntervalZeroStopsAndATickMayRestartItsOwnTimer) {
  testing::FakeTimers timers;
  std::vector<long long> ticks;
  FormTimer timer(timers, [&] {});
  FormTimer countdown(timers, [&] {
    ticks.push_back(timers.now);
    if (ticks.size() == 2) countdown.SetInterval(1);  // force an immediate tick, as NowCapture does
    if (ticks.size() == 3) countdown.SetInterval(0);
  });
  countdown.SetInterval(246);
  timers.Advance(1000);
  EXPECT_EQ(ticks, (std::vector<long long>{246, 492, 493}));
  EXPECT_EQ(countdown.Interval(), 0);
  EXPECT_EQ(timers.Running(), 0u);
  timer.SetInterval(5);
  EXPECT_TRUE(timers.TickNext());
  EXPECT_EQ(timers.now, 1005);
}

}  // namespace
}  // namespace snapwell
