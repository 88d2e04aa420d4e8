// The native windows of a capture: the full-screen surface `frmMain` and the pointer readout
// `frmPointer`. Both windows are made once for the run and stay hidden between captures; the
// models show, hide and place them through the desktop. The views forward the user's input to
// the models' event procedures and paint what the models hold.
#pragma once

#include <windows.h>

#include <string>

#include "capture/frm_main.h"
#include "platform/screen.h"
#include "raster/picture.h"
#include "win32/desktop_win32.h"
#include "win32/dib_picture_win32.h"

namespace snapwell::win32 {

// A rectangle in surface pixels, right and bottom exclusive (empty when right <= left).
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// What the overlay of the surface showed at the last paint, to tell what to repaint.
struct OverlayState {
  PixelRect box, circle, lines[5], preview, alert;
  std::string alertText;
  bool boxDotted = false;
  friend bool operator==(const OverlayState&, const OverlayState&) = default;
};

class FrmPointerView {
 public:
  FrmPointerView(FrmPointer& model, Win32Desktop& desktop, const Screen& screen);
  ~FrmPointerView();
  FrmPointerView(const FrmPointerView&) = delete;
  FrmPointerView& operator=(const FrmPointerView&) = delete;

  bool Create(HINSTANCE instance);
  // Places and repaints the window when the model's text or place changed.
  void Sync();
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();

  FrmPointer& model_;
  Win32Desktop& desktop_;
  const Screen& screen_;
  HWND window_ = nullptr;
  ScopedGdiObject font_;
  FontChoice fontShown_;
  std::string shownText_;
  RECT shownPlace_{};
};

class FrmMainView {
 public:
  FrmMainView(FrmMain& model, Win32Desktop& desktop);
  ~FrmMainView();
  FrmMainView(const FrmMainView&) = delete;
  FrmMainView& operator=(const FrmMainView&) = delete;

  bool Create(HINSTANCE instance);
  // Repaints what changed in the model since the last paint.
  void Sync();
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Paint();
  void Invalidate(const PixelRect& rect);
  OverlayState CurrentOverlay() const;
  // The part of the surface the freehand stroke changed since the last look.
  void TrackStroke();

  FrmMain& model_;
  Win32Desktop& desktop_;
  HWND window_ = nullptr;
  Picture back_;  // the frozen desktop with the overlay, composed here before it is shown
  ScopedGdiObject alertFont_;
  FontChoice alertFontShown_;
  OverlayState shown_;
  bool stroking_ = false;
  int strokeX_ = 0;
  int strokeY_ = 0;
  const void* shownPixels_ = nullptr;  // the surface picture last painted (a new grab repaints all)
};

// Shift flags of a message's modifier keys as the form procedures take them (1 Shift, 2 Ctrl, 4 Alt).
std::int16_t ShiftState();

// Whether the surface becoming active, coming from `previous`, is an activation among the
// program's own windows (back from a dialog): not while the core places windows or asks a
// question, not from another program or from nowhere, not from the pointer readout.
bool IsOwnActivation(HWND previous, const Win32Desktop& desktop);

}  // namespace snapwell::win32
