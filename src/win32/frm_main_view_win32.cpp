#include "win32/frm_main_view_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "raster/block_transfer.h"

namespace snapwell::win32 {
namespace {

constexpr wchar_t kSurfaceClass[] = L"SnapwellCaptureSurface";
constexpr wchar_t kPointerClass[] = L"SnapwellPointerReadout";

int Round(float value) {
  return static_cast<int>(std::lround(value));
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

// The pixels a shape may touch, with a pixel to spare on every side.
PixelRect ShapeRect(const ShapeControl& shape) {
  if (!shape.Visible) return {};
  const int left = Round(shape.Left);
  const int top = Round(shape.Top);
  return {left - 1, top - 1, left + std::max(Round(shape.Width), 1) + 1,
          top + std::max(Round(shape.Height), 1) + 1};
}

PixelRect LineRect(const LineControl& line) {
  if (!line.Visible) return {};
  return {std::min(Round(line.X1), Round(line.X2)) - 2, std::min(Round(line.Y1), Round(line.Y2)) - 2,
          std::max(Round(line.X1), Round(line.X2)) + 3, std::max(Round(line.Y1), Round(line.Y2)) + 3};
}

// Form-designer colours are 0x00BBGGRR; pictures hold 0x00RRGGBB.
std::uint32_t PixelOfColor(std::uint32_t color) {
  return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// The border of a box shape: every border pixel once through the shape's draw mode (so a
// contrast outline stays visible on any picture); the dotted style marks every other pixel.
void DrawBox(Picture& picture, const ShapeControl& shape) {
  const int left = Round(shape.Left);
  const int top = Round(shape.Top);
  const int right = left + std::max(Round(shape.Width), 1) - 1;
  const int bottom = top + std::max(Round(shape.Height), 1) - 1;
  const std::uint32_t color = PixelOfColor(shape.BorderColor);
  const bool dotted = shape.BorderStyle == 3;
  auto mark = [&](int x, int y, int along) {
    if (dotted && (along & 1) != 0) return;
    const std::uint32_t under = picture.GetPixel(x, y);
    if (under != kInvalidPixel) picture.SetPixel(x, y, ApplyDrawMode(shape.drawMode, color, under));
  };
  for (int x = left; x <= right; ++x) {
    mark(x, top, x - left);
    if (bottom != top) mark(x, bottom, x - left);
  }
  for (int y = top + 1; y < bottom; ++y) {
    mark(left, y, y - top);
    if (right != left) mark(right, y, y - top);
  }
}

void DrawCircle(Picture& picture, const ShapeControl& shape) {
  const int left = Round(shape.Left);
  const int top = Round(shape.Top);
  picture.SetPenWidth(1);
  picture.SetPenColor(PixelOfColor(shape.BorderColor));
  picture.SetDrawMode(shape.drawMode);
  picture.SetFillStyle(FillStyle::kTransparent);
  picture.Ellipse(left, top, left + std::max(Round(shape.Width), 1) - 1,
                  top + std::max(Round(shape.Height), 1) - 1);
}

void DrawLine(Picture& picture, const LineControl& line) {
  picture.SetPenWidth(1);
  picture.SetPenColor(kBlack);
  picture.SetDrawMode(line.drawMode);
  picture.Line(Round(line.X1), Round(line.Y1), Round(line.X2), Round(line.Y2));
}

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::int16_t ButtonsOf(WPARAM wParam) {
  std::int16_t buttons = 0;
  if ((wParam & MK_LBUTTON) != 0) buttons |= 1;
  if ((wParam & MK_RBUTTON) != 0) buttons |= 2;
  if ((wParam & MK_MBUTTON) != 0) buttons |= 4;
  return buttons;
}

bool RegisterOnce(HINSTANCE instance, const wchar_t* name, WNDPROC proc, UINT style) {
  WNDCLASSEXW wc{};
  if (GetClassInfoExW(instance, name, &wc)) return true;
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

// The view a window was created for (the creation parameter, kept from WM_NCCREATE on), or
// nullptr while it is not yet known or the window is not the view's own.
template <typename View>
View* ViewOf(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* view = reinterpret_cast<View*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return view != nullptr && view->Window() == window ? view : nullptr;
}

}  // namespace

bool IsOwnActivation(HWND previous, const Win32Desktop& desktop) {
  if (desktop.Placing() || previous == nullptr) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(previous, &process);
  return process == GetCurrentProcessId() && previous != desktop.HandleOf(OwnWindow::Pointer);
}

std::int16_t ShiftState() {
  std::int16_t shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
  if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
  if (GetKeyState(VK_MENU) < 0) shift |= 4;
  return shift;
}

// --- frmPointer

FrmPointerView::FrmPointerView(FrmPointer& model, Win32Desktop& desktop, const Screen& screen)
    : model_(model), desktop_(desktop), screen_(screen) {}

FrmPointerView::~FrmPointerView() {
  if (window_ != nullptr) {
    desktop_.Register(OwnWindow::Pointer, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

bool FrmPointerView::Create(HINSTANCE instance) {
  if (!RegisterOnce(instance, kPointerClass, &FrmPointerView::Proc, 0)) return false;
  window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kPointerClass, L"", WS_POPUP | WS_BORDER, 0, 0,
                            60, 20, nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  desktop_.Register(OwnWindow::Pointer, window_);
  return true;
}

LRESULT CALLBACK FrmPointerView::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = ViewOf<FrmPointerView>(window, message, lParam);
  if (view == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return view->Handle(message, wParam, lParam);
}

LRESULT FrmPointerView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // the surface keeps the keyboard
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        SetCursor(desktop_.CursorOf(OwnWindow::Pointer));
        return TRUE;
      }
      break;
    case WM_KEYDOWN:
      model_.Form_KeyDown(static_cast<std::int16_t>(wParam), ShiftState());
      return 0;
    case WM_KEYUP:
      model_.Form_KeyUp(static_cast<std::int16_t>(wParam), ShiftState());
      return 0;
    case WM_MOUSEMOVE:
      model_.Form_MouseMove(ButtonsOf(wParam), ShiftState());
      return 0;
    case WM_CLOSE:
      if (model_.Form_QueryUnload(true)) return 0;
      break;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void FrmPointerView::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  RECT client;
  GetClientRect(window_, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  HGDIOBJ old = SelectObject(dc, font_.Get() != nullptr ? font_.Get() : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  const std::wstring text = Widen(model_.lblPointer);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, old);
  EndPaint(window_, &ps);
}

void FrmPointerView::Sync() {
  if (window_ == nullptr || !model_.loaded) return;
  // The label keeps its fixed-pitch face whatever font the window is given.
  if (font_.Get() == nullptr || !(fontShown_ == model_.font)) {
    fontShown_ = model_.font;
    font_.Reset(CreateChosenFont(fontShown_));
    shownText_.clear();
  }
  const int tx = std::max(screen_.TwipsPerPixelX(), 1);
  const int ty = std::max(screen_.TwipsPerPixelY(), 1);
  // The model places the readout in the core's coordinates.
  const POINT origin = desktop_.Origin();
  const RECT place{origin.x + model_.Left / tx, origin.y + model_.Top / ty,
                   origin.x + (model_.Left + model_.Width) / tx,
                   origin.y + (model_.Top + model_.Height) / ty};
  if (place.left != shownPlace_.left || place.top != shownPlace_.top || place.right != shownPlace_.right ||
      place.bottom != shownPlace_.bottom) {
    shownPlace_ = place;
    SetWindowPos(window_, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (shownText_ != model_.lblPointer) {
    shownText_ = model_.lblPointer;
    InvalidateRect(window_, nullptr, FALSE);
  }
}

// --- frmMain

FrmMainView::FrmMainView(FrmMain& model, Win32Desktop& desktop) : model_(model), desktop_(desktop) {}

FrmMainView::~FrmMainView() {
  if (window_ != nullptr) {
    desktop_.Register(OwnWindow::Surface, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

bool FrmMainView::Create(HINSTANCE instance) {
  if (!RegisterOnce(instance, kSurfaceClass, &FrmMainView::Proc, CS_DBLCLKS)) return false;
  // Not a tool window: the window manager then lets the full-screen surface take the keyboard.
  // Over every monitor; each capture places it again over the screen it froze.
  window_ = CreateWindowExW(WS_EX_TOPMOST, kSurfaceClass, L"Snapwell", WS_POPUP,
                            GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                            nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  desktop_.Register(OwnWindow::Surface, window_);
  return true;
}

LRESULT CALLBACK FrmMainView::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* view = ViewOf<FrmMainView>(window, message, lParam);
  if (view == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  const LRESULT result = view->Handle(message, wParam, lParam);
  if (message != WM_PAINT && message != WM_ERASEBKGND && message != WM_SETCURSOR) view->Sync();
  return result;
}

LRESULT FrmMainView::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto x = static_cast<float>(GET_X_LPARAM(lParam));
  const auto y = static_cast<float>(GET_Y_LPARAM(lParam));
  switch (message) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the whole client area is painted from the picture
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        SetCursor(desktop_.CursorOf(OwnWindow::Surface));
        return TRUE;
      }
      break;
    case WM_SHOWWINDOW:
      if (wParam != 0) shownPixels_ = nullptr;
      break;
    case WM_ACTIVATE:
      // The model activates itself when it shows the surface.
      if (LOWORD(wParam) != WA_INACTIVE && model_.loaded && model_.Visible &&
          IsOwnActivation(reinterpret_cast<HWND>(lParam), desktop_)) {
        model_.Form_Activate();
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (model_.loaded) model_.Form_KeyDown(static_cast<std::int16_t>(wParam), ShiftState());
      if (message == WM_KEYDOWN) return 0;
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (model_.loaded) model_.Form_KeyUp(static_cast<std::int16_t>(wParam), ShiftState());
      if (message == WM_KEYUP) return 0;
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      SetCapture(window_);
      if (model_.loaded) {
        const std::int16_t button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
        model_.Form_MouseDown(button, ShiftState(), x, y);
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      if (ButtonsOf(wParam) == 0) ReleaseCapture();
      if (model_.loaded) {
        const std::int16_t button = message == WM_LBUTTONUP ? 1 : message == WM_RBUTTONUP ? 2 : 4;
        model_.Form_MouseUp(button, ShiftState(), x, y);
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      // The second press of a double click: its release follows as for any press.
      SetCapture(window_);
      if (model_.loaded) model_.Form_DblClick(ShiftState(), x, y);
      return 0;
    case WM_MOUSEMOVE:
      if (model_.loaded) model_.Form_MouseMove(ButtonsOf(wParam), ShiftState());
      return 0;
    case WM_DISPLAYCHANGE:
      // The frozen picture holds while a capture runs; the new monitors count from the next one.
      shownPixels_ = nullptr;
      return 0;
    case WM_CLOSE:
      // Alt+F4 on the surface cancels the capture as Esc does; the window itself stays for the run.
      if (model_.loaded) model_.CancelCapture();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

OverlayState FrmMainView::CurrentOverlay() const {
  OverlayState state;
  state.box = ShapeRect(model_.shpBox);
  state.boxDotted = model_.shpBox.Visible && model_.shpBox.BorderStyle == 3;
  state.circle = ShapeRect(model_.shpCircle);
  const LineControl* lines[] = {&model_.Line0, &model_.Line1, &model_.Line2, &model_.Line3, &model_.Line4};
  for (int i = 0; i < 5; ++i)
    state.lines[i] = LineRect(*lines[i]);
  if (model_.picVariLineDraw.Visible) {
    const int left = Round(model_.picVariLineDraw.Left);
    const int top = Round(model_.picVariLineDraw.Top);
    state.preview = {left, top, left + model_.picVariLineDraw.picture.Width(),
                     top + model_.picVariLineDraw.picture.Height()};
  }
  if (model_.lblAlert.Visible) {
    const LabelControl& label = model_.lblAlert;
    state.alert = {label.Left, label.Top, label.Left + label.Width, label.Top + label.Height};
    state.alertText = label.Caption;
  }
  return state;
}

void FrmMainView::Invalidate(const PixelRect& rect) {
  if (rect.Empty()) return;
  const RECT r{rect.left, rect.top, rect.right, rect.bottom};
  InvalidateRect(window_, &r, FALSE);
}

void FrmMainView::TrackStroke() {
  const bool stroking = model_.frameStyle == 2 && model_.started && !model_.released;
  if (stroking && stroking_ && (model_.endX != strokeX_ || model_.endY != strokeY_)) {
    const int w = model_.DrawWidth + 2;
    Invalidate({std::min(strokeX_, model_.endX) - w, std::min(strokeY_, model_.endY) - w,
                std::max(strokeX_, model_.endX) + w + 1, std::max(strokeY_, model_.endY) + w + 1});
  } else if (stroking != stroking_) {
    InvalidateRect(window_, nullptr, FALSE);
  }
  stroking_ = stroking;
  strokeX_ = model_.endX;
  strokeY_ = model_.endY;
}

void FrmMainView::Sync() {
  if (window_ == nullptr || !model_.loaded) return;
  const void* pixels = model_.surface.View().pixels;
  if (pixels != shownPixels_) {
    shownPixels_ = pixels;
    InvalidateRect(window_, nullptr, FALSE);
  }
  TrackStroke();
  const OverlayState now = CurrentOverlay();
  if (now == shown_) return;
  Invalidate(Union(shown_.box, now.box));
  Invalidate(Union(shown_.circle, now.circle));
  for (int i = 0; i < 5; ++i)
    Invalidate(Union(shown_.lines[i], now.lines[i]));
  Invalidate(Union(shown_.preview, now.preview));
  Invalidate(Union(shown_.alert, now.alert));
  if (now.boxDotted != shown_.boxDotted) Invalidate(now.box);
  shown_ = now;
}

void FrmMainView::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window_, &ps);
  const Picture& surface = model_.surface;
  if (back_.Width() != surface.Width() || back_.Height() != surface.Height() || PictureDc(back_) == nullptr)
    back_ = CreateDibPicture(surface.Width(), surface.Height());
  HDC backDc = PictureDc(back_);
  const RECT area = ps.rcPaint;
  if (!model_.loaded || surface.Empty() || backDc == nullptr) {
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EndPaint(window_, &ps);
    return;
  }
  // The last GDI drawing on the back picture is done before our own pixel code writes to it.
  GdiFlush();
  const int w = area.right - area.left;
  const int h = area.bottom - area.top;
  snapwell::BitBlt(back_, area.left, area.top, w, h, surface, area.left, area.top, RasterOp::kSrcCopy);
  if (model_.shpBox.Visible) DrawBox(back_, model_.shpBox);
  if (model_.shpCircle.Visible) DrawCircle(back_, model_.shpCircle);
  for (const LineControl* line :
       {&model_.Line0, &model_.Line1, &model_.Line2, &model_.Line3, &model_.Line4}) {
    if (line->Visible) DrawLine(back_, *line);
  }
  if (model_.picVariLineDraw.Visible) {
    const Picture& preview = model_.picVariLineDraw.picture;
    snapwell::BitBlt(back_, Round(model_.picVariLineDraw.Left), Round(model_.picVariLineDraw.Top),
                     preview.Width(), preview.Height(), preview, 0, 0, RasterOp::kSrcCopy);
  }
  if (model_.lblAlert.Visible) {
    const LabelControl& label = model_.lblAlert;
    if (alertFont_.Get() == nullptr || !(alertFontShown_ == label.font)) {
      alertFontShown_ = label.font;
      alertFont_.Reset(CreateChosenFont(alertFontShown_));
    }
    RECT box{label.Left, label.Top, label.Left + label.Width, label.Top + label.Height};
    FillRect(backDc, &box, GetSysColorBrush(COLOR_INFOBK));
    HGDIOBJ old = SelectObject(backDc, alertFont_.Get());
    SetBkMode(backDc, TRANSPARENT);
    SetTextColor(backDc, RGB(192, 0, 0));
    const std::wstring text = Widen(label.Caption);
    DrawTextW(backDc, text.c_str(), static_cast<int>(text.size()), &box, DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(backDc, old);
  }
  ::BitBlt(dc, area.left, area.top, w, h, backDc, area.left, area.top, SRCCOPY);
  GdiFlush();
  EndPaint(window_, &ps);
}

}  // namespace snapwell::win32
