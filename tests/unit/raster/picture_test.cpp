#include "raster/picture.h"

#include <gtest/gtest.h>

namespace snapwell {
namespace {

TEST(PictureTest, NewPictureIsWhite) {
  Picture p(3, 2);
  ASSERT_EQ(p.Width(), 3);
  EXPECT_EQ(p.GetPixel(2, 1), kWhite);
}

}  // namespace
}  // namespace snapwell
