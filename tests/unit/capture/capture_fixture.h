// A capture surface on the fake desktop with the real transform behind it, the hand-over, shell
// and series window written down.
#pragma once

#include <gtest/gtest.h>

#include "support/capture_setup.h"

namespace snapwell::testing {

class CaptureTest : public ::testing::Test, protected FakeCapture {
 protected:
  CaptureTest() : FakeCapture(1024, 768) { form.handOver = &handOver; }

  void Drag(std::int32_t fromX, std::int32_t fromY, std::int32_t toX, std::int32_t toY) {
    form.Form_MouseDown(1, 0, static_cast<float>(fromX), static_cast<float>(fromY));
    form.MouseMove(1, 0, toX, toY);
    form.Form_MouseUp(1, 0, static_cast<float>(toX), static_cast<float>(toY));
  }

  void ExpectShape(const ShapeControl& s, float left, float top, float width, float height) {
    EXPECT_TRUE(s.Visible);
    EXPECT_EQ(s.Left, left);
    EXPECT_EQ(s.Top, top);
    EXPECT_EQ(s.Width, width);
    EXPECT_EQ(s.Height, height);
  }

  RecordingHandOver handOver{form, transform};
};

}  // namespace snapwell::testing
