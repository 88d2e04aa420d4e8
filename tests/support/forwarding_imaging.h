// The linked imaging libraries behind a binding whose calls a test takes over one at a time:
// every call goes to `real` unless a derived fake overrides it.
#pragma once

#include <memory>
#include <string>

#include "imaging/imaging.h"

namespace snapwell::testing {

class ForwardingImaging : public Imaging {
 public:
  bool RollBitBlt(Picture& d, double dcx, double dcy, int w, int h, double a, const Picture& s, double scx,
                  double scy, int flag, const RollRect& r) override {
    return real->RollBitBlt(d, dcx, dcy, w, h, a, s, scx, scy, flag, r);
  }
  bool EnlargeBitBlt(Picture& d, int dx, int dy, int w, int h, const Picture& s, int sx, int sy, double f,
                     int flag) override {
    return real->EnlargeBitBlt(d, dx, dy, w, h, s, sx, sy, f, flag);
  }
  bool ReductBitBlt(Picture& d, int dx, int dy, int w, int h, const Picture& s, int sx, int sy,
                    double f) override {
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

  std::unique_ptr<Imaging> real = CreateImaging();
};

}  // namespace snapwell::testing
