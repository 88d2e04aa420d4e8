// Shared pieces of the transform tests: small pictures from literal pixel lists, reading a
// block back, and an imaging binding that records which library calls were made.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "imaging/imaging.h"
#include "raster/picture.h"

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
class RecordingImaging : public Imaging {
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
  bool DrawArc(Picture& t, int l, int tp, int r, int b, int sx, int sy, int ex, int ey, std::uint32_t c,
               int m) override {
    return real->DrawArc(t, l, tp, r, b, sx, sy, ex, ey, c, m);
  }
  bool SaveAsEPS(const std::string& p, const Picture& s, int x, int y, int w, int h) override {
    return real->SaveAsEPS(p, s, x, y, w, h);
  }
  bool SaveAsPPM(const std::string& p, const Picture& s, int x, int y, int w, int h) override {
    return real->SaveAsPPM(p, s, x, y, w, h);
  }
  bool SaveAsPGM(const std::string& p, const Picture& s, int x, int y, int w, int h) override {
    return real->SaveAsPGM(p, s, x, y, w, h);
  }
  bool SaveAsPNG(const std::string& p, const Picture& s, int x, int y, int w, int h, int r) override {
    return real->SaveAsPNG(p, s, x, y, w, h, r);
  }
  std::int16_t SavetoJPEG(const std::string& b, const std::string& o, int q, int f) override {
    return real->SavetoJPEG(b, o, q, f);
  }
  vell::FileFailure LastSaveFailure() const override { return real->LastSaveFailure(); }

  static std::string Num(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.4g", v);
    return text;
  }

  std::unique_ptr<Imaging> real = CreateImaging();
  std::vector<std::string> calls;
};

}  // namespace snapwell::testing
