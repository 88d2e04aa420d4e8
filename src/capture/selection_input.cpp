// Keyboard and mouse on the capture surface: every input ends in MouseDown, MouseMove or
// MouseUp, so the frame tools see one stream of events; the double click commits a fixed frame.
#include <algorithm>

#include "capture/capture_math.h"
#include "capture/frm_main.h"

namespace snapwell {
namespace {

constexpr std::int16_t kKeyEscape = 27;
constexpr std::int16_t kKeySpace = 32;

// Pointer step of a movement key: 1 pixel without modifiers, else 4 × 2^shift.
std::int32_t KeyStep(std::int16_t shift) {
  const int bits = shift & 7;
  return bits == 0 ? 1 : 4 << bits;
}

}  // namespace

void FrmMain::KeyDown(std::int16_t keyCode, std::int16_t shift) {
  RunGuarded(*this, "KeyDown", [&] {
    if (busy) return;
    const std::int32_t step = KeyStep(shift);
    std::int32_t dx = 0;
    std::int32_t dy = 0;
    switch (keyCode) {
      case kKeyEscape:
        MouseDown(2, 0, static_cast<float>(pointerX), static_cast<float>(pointerY));
        return;
      case kKeySpace:
        if (app.keyLeftDown == 1) return;  // key repeat
        app.keyLeftDown = 1;
        MouseDown(1, 0, static_cast<float>(pointerX), static_cast<float>(pointerY));
        return;
      case 37:
      case 100:
        dx = -step;
        break;
      case 39:
      case 102:
        dx = step;
        break;
      case 38:
      case 104:
        dy = -step;
        break;
      case 40:
      case 98:
        dy = step;
        break;
      case 36:
      case 103:
        dx = -step;
        dy = -step;
        break;
      case 33:
      case 105:
        dx = step;
        dy = -step;
        break;
      case 35:
      case 97:
        dx = -step;
        dy = step;
        break;
      case 34:
      case 99:
        dx = step;
        dy = step;
        break;
      default:
        return;
    }
    MouseMove(static_cast<std::int16_t>(app.mouseLeftDown | app.keyLeftDown), 0, pointerX + dx,
              pointerY + dy);
  });
}

void FrmMain::KeyUp(std::int16_t keyCode, std::int16_t /*shift*/) {
  RunGuarded(*this, "KeyUp", [&] {
    if (busy || keyCode != kKeySpace) return;
    MouseUp(1, 0, static_cast<float>(pointerX), static_cast<float>(pointerY));
    app.keyLeftDown = 0;
  });
}

void FrmMain::MouseMove(std::int16_t button, std::int16_t /*shift*/, std::int32_t x, std::int32_t y) {
  RunGuarded(*this, "MouseMove", [&] {
    if (busy) return;
    pointerX = std::clamp(x, 0, std::max(app.screenWidth - 1, 0));
    pointerY = std::clamp(y, 0, std::max(app.screenHeight - 1, 0));
    app.trackMoves = false;
    desktop.SetCursorPos(pointerX, pointerY);
    if ((button & 1) != 0) {
      if (rotating) {
        std::int32_t px = pointerX;
        std::int32_t py = pointerY;
        RollFlame(px, py);
      } else if (app.fixedFrame == 1) {
        return;  // a fixed frame does not follow a drag
      } else if (started) {
        switch (frameStyle) {
          case 0:
            RectangleDrag(pointerX, pointerY);
            break;
          case 1:
            CircleDrag(pointerX, pointerY);
            break;
          case 2:
            StrokeSegment(pointerX, pointerY);
            break;
          default:
            break;
        }
      }
    }
    UpdateReadout();
    if (!started && app.fixedFrame == 1) FixedFrameFollow(pointerX, pointerY);
  });
}

void FrmMain::MouseDown(std::int16_t button, std::int16_t /*shift*/, float x, float y) {
  RunGuarded(*this, "MouseDown", [&] {
    if (busy) return;
    app.SelectionInProgress = true;
    if (button == 2) {
      app.showPointer = false;
      CancelCapture();
      return;
    }
    if (button != 1) return;
    if (started) {
      if (rotating) RotationClick(x, y);
      return;
    }
    const Settings& s = app.settings;
    x1 = FloorToInt32(x);
    y1 = FloorToInt32(y);
    if (app.fixedFrame == 1) {
      // The rectangle is kept on the screen; a fixed circle is centred on the pointer as its
      // preview was, so it is not moved.
      if (frameStyle != 1) {
        if (x > static_cast<float>(app.screenWidth - s.FixFieldX)) x1 = app.screenWidth - s.FixFieldX;
        if (y > static_cast<float>(app.screenHeight - s.FixFieldY)) y1 = app.screenHeight - s.FixFieldY;
      }
      endX = x1;
      endY = y1;
      // The region is complete at the press, so Space before any move gives the right frame.
      x2 = x1 + s.FixFieldX - 1;
      y2 = y1 + (frameStyle == 1 ? s.FixFieldX : s.FixFieldY) - 1;
    }
    started = true;
    switch (frameStyle) {
      case 0:
        if (app.fixedFrame != 1) {
          shpBox = {true, static_cast<float>(x1), static_cast<float>(y1), 1.0f,
                    1.0f, shpBox.BorderStyle,     shpBox.BorderColor,     shpBox.drawMode};
        } else {
          shpBox.Left = static_cast<float>(x1);
          shpBox.Top = static_cast<float>(y1);
        }
        break;
      case 1:
        centreX = static_cast<float>(x1) + 0.5f;
        centreY = static_cast<float>(y1) + 0.5f;
        if (app.fixedFrame != 1) {
          shpCircle.Left = static_cast<float>(x1);
          shpCircle.Top = static_cast<float>(y1);
          shpCircle.Width = shpCircle.Height = 1.0f;
          shpCircle.Visible = true;
        }
        break;
      case 2:
        StartOutline();
        break;
      case 3:
        PickWindow();
        break;
      default:
        break;
    }
    if (commitOnClick) {
      commitOnClick = false;
      CommitAtPoint();
    }
  });
}

void FrmMain::MouseUp(std::int16_t button, std::int16_t /*shift*/, float x, float y) {
  RunGuarded(*this, "MouseUp", [&] {
    if (busy || (button != 0 && button != 1)) return;
    app.mouseLeftDown = 0;
    if (!started) return;
    if (rotating) {
      if (handingOver_) return;
      {
        const HandOverScope handOverNow(*this);
        handOverNow->RotateAndOutput();
      }
      EndCapture();
      return;
    }
    if (app.fixedFrame != 1) {
      endX = Nearest(x);
      endY = Nearest(y);
    }
    shpBox.Visible = shpCircle.Visible = false;
    released = true;
  });
}

void FrmMain::Form_MouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
  if (button == 1) app.mouseLeftDown = 1;
  MouseDown(button < 2 ? static_cast<std::int16_t>(button | app.keyLeftDown) : button, shift, x, y);
}

void FrmMain::Form_MouseMove(std::int16_t /*button*/, std::int16_t shift) {
  if (!app.trackMoves) {
    app.trackMoves = true;  // the move our own cursor positioning caused
    return;
  }
  const PointerPos at = desktop.GetCursorPos();
  MouseMove(static_cast<std::int16_t>(app.keyLeftDown | app.mouseLeftDown), shift, at.x, at.y);
}

void FrmMain::Form_MouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
  MouseUp(button, shift, x, y);
}

void FrmMain::Form_KeyDown(std::int16_t keyCode, std::int16_t shift) {
  KeyDown(keyCode, shift);
}

void FrmMain::Form_KeyUp(std::int16_t keyCode, std::int16_t shift) {
  KeyUp(keyCode, shift);
}

void FrmMain::Form_DblClick(std::int16_t shift, float x, float y) {
  RunGuarded(*this, "Form_DblClick", [&] {
    if (busy) return;
    // In the rotation phase the second press is a press like any other: it sets the turn's
    // reference and its release confirms the angle. The region is cut out once.
    if (rotating) {
      Form_MouseDown(1, shift, x, y);
      return;
    }
    if (app.fixedFrame == 0) return;
    commitOnClick = true;
    if (started) {
      commitOnClick = false;
      CommitAtPoint();
    }
  });
}

void FrmMain::CommitAtPoint() {
  if (app.settings.ContOutput == 1 || app.templateMode || handingOver_) return;
  const HandOverScope handOverNow(*this);
  released = true;
  std::int32_t atX = x1;
  std::int32_t atY = y1;
  std::int16_t ok = -1;
  handOverNow->CutOutRegion(atX, atY, ok);
  if (!loaded) return;
  if (ok != 0) handOverNow->RotateAndOutput();
  EndCapture();
}

}  // namespace snapwell
