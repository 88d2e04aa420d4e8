// Shared pieces of the transform tests: small pictures from literal pixel lists, reading a
// block back, and an imaging binding that records which library calls were made.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "imaging/imaging.h"
#include "raster/picture.h"
#include "support/forwarding_imaging.h"

namespace snapwell::testing {

// A white width x height picture with the rows of `block` placed at (x, y).
inline Picture PictureWith(int width, int height, int x, int y,
                           const std::vector<std::vector<std::uint32_t>>& block) {
  Picture picture(width, height);
  for (std::size_t r = 0; r < block.size(); ++r)
    for (std::size_t c = 0; c < block[r].size(); ++c)
      picture.SetPixel(x + static_cast<int>(c), y + static_cast<int>(r), block[r][c]);
  return picture;
}

// The w x h block at (x, y), row by row.
inline std::vector<std::vector<std::uint32_t>> BlockOf(const Picture& picture, int x, int y, int w, int h) {
  std::vector<std::vector<std::uint32_t>> rows(static_cast<std::size_t>(h));
  for (int r = 0; r < h; ++r)
    for (int c = 0; c < w; ++c)
      rows[r].push_back(picture.GetPixel(x + c, y + r));
  return rows;
}

// The linked libraries, with every geometry call written down as "Name(args)".
class RecordingImaging : public ForwardingImaging {
 public:
  bool RollBitBlt(Picture& d, double dcx, double dcy, int w, int h, double a, const Picture& s, double scx,
                  double scy, int flag, const RollRect& r) override {
    calls.push_back("RollBitBlt(" + std::to_string(w) + "," + std::to_string(h) + "," + Num(a) + "," +
                    Num(scx) + "," + Num(scy) + "," + std::to_string(flag) + ",{" + std::to_string(r.left) +
                    "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                    std::to_string(r.bottom) + "})");
    return real->RollBitBlt(d, dcx, dcy, w, h, a, s, scx, scy, flag, r);
  }
  bool EnlargeBitBlt(Picture& d, int dx, int dy, int w, int h, const Picture& s, int sx, int sy, double f,
                     int flag) override {
    calls.push_back("EnlargeBitBlt(" + std::to_string(w) + "," + std::to_string(h) + "," +
                    std::to_string(sx) + "," + std::to_string(sy) + "," + Num(f) + "," +
                    std::to_string(flag) + ")");
    return real->EnlargeBitBlt(d, dx, dy, w, h, s, sx, sy, f, flag);
  }
  bool ReductBitBlt(Picture& d, int dx, int dy, int w, int h, const Picture& s, int sx, int sy,
                    double f) override {
    calls.push_back("ReductBitBlt(" + std::to_string(w) + "," + std::to_string(h) + "," + std::to_string(sx) +
                    "," + std::to_string(sy) + "," + Num(f) + ")");
    return real->ReductBitBlt(d, dx, dy, w, h, s, sx, sy, f);
  }

  static std::string Num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", v);
    return text;
  }

  std::vector<std::string> calls;
};

}  // namespace snapwell::testing
