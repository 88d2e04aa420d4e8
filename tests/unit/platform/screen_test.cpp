// The screen made of every monitor: its origin and size, the monitors counted from its corner,
// the parts no monitor shows, and the monitor a point or a region belongs to.
#include "platform/screen.h"

#include <gtest/gtest.h>

#include <vector>

namespace snapwell {
namespace {

TEST(ScreenLayoutTest, MonitorsBecomeOneScreenCountedFromItsCorner) {
  struct Row {
    const char* what;
    std::vector<ScreenArea> system;
    ScreenLayout expected;
    std::vector<ScreenArea> uncovered;
  };
  const Row rows[] = {
      {"one monitor", {{0, 0, 1920, 1080}}, {0, 0, 1920, 1080, {{0, 0, 1920, 1080}}}, {}},
      {"a second one right of the primary, lower",
       {{0, 0, 1280, 1024}, {1280, 0, 2304, 768}},
       {0, 0, 2304, 1024, {{0, 0, 1280, 1024}, {1280, 0, 2304, 768}}},
       {{1280, 768, 2304, 1024}}},
      {"the primary listed second; the other left of and above it",
       {{-200, -40, 0, 120}, {0, 0, 320, 240}},
       {-200, -40, 520, 280, {{200, 40, 520, 280}, {0, 0, 200, 160}}},
       {{200, 0, 520, 40}, {0, 160, 200, 280}}},
      {"three in a row with a gap between two",
       {{0, 0, 100, 100}, {-100, 0, 0, 100}, {150, 0, 250, 100}},
       {-100, 0, 350, 100, {{100, 0, 200, 100}, {0, 0, 100, 100}, {250, 0, 350, 100}}},
       {{200, 0, 250, 100}}},
      {"nothing usable", {{0, 0, 0, 0}}, {}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const ScreenLayout layout = LayoutOfMonitors(row.system);
    EXPECT_EQ(layout.originX, row.expected.originX);
    EXPECT_EQ(layout.originY, row.expected.originY);
    EXPECT_EQ(layout.width, row.expected.width);
    EXPECT_EQ(layout.height, row.expected.height);
    EXPECT_EQ(layout.monitors, row.expected.monitors);
    EXPECT_EQ(UncoveredAreas(layout), row.uncovered);
  }
}

TEST(ScreenLayoutTest, PointsAndRegionsFindTheirMonitor) {
  const ScreenLayout layout = LayoutOfMonitors({{0, 0, 320, 240}, {-200, -40, 0, 120}});
  const ScreenArea primary{200, 40, 520, 280}, second{0, 0, 200, 160};
  EXPECT_EQ(MonitorAt(layout, 199, 0), second);
  EXPECT_EQ(MonitorAt(layout, 200, 40), primary);
  EXPECT_EQ(MonitorAt(layout, 300, 10), primary);                  // above the primary: the nearest
  EXPECT_EQ(MonitorAt(layout, 50, 270), second);                   // below the second, nearer to it
  EXPECT_EQ(MonitorOfArea(layout, {130, 50, 261, 101}), second);   // 70 columns against 61
  EXPECT_EQ(MonitorOfArea(layout, {150, 50, 261, 101}), primary);  // 50 against 61
  EXPECT_EQ(MonitorOfArea(layout, {0, 200, 20, 220}), second);     // in a corner: the nearest
  EXPECT_EQ(PrimaryArea(layout), (ScreenArea{0, 0, 320, 240}));
  EXPECT_EQ(ToSystem(layout, second), (ScreenArea{-200, -40, 0, 120}));
}

}  // namespace
}  // namespace snapwell
