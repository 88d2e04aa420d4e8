#include "win32/form_view_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/desktop_win32.h"
#include "win32/text_win32.h"

namespace snapwell::win32 {
namespace {

constexpr int kFirstControlId = 100;

std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

FormView::~FormView() {
  if (font_ != nullptr) DeleteObject(font_);
}

void FormView::Attach(HWND window, const FontChoice& font) {
  window_ = window;
  dpi_ = SystemDpi();
  font_ = CreateChosenFont(font);
  SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

HWND FormView::Add(ControlKind kind, Control& model, int x, int y, int width, int height, int page,
                   Events events) {
  const wchar_t* cls = L"BUTTON";
  DWORD style = WS_CHILD;
  switch (kind) {
    case ControlKind::Group:
      style |= BS_GROUPBOX;
      break;
    case ControlKind::Option:
      style |= BS_RADIOBUTTON | WS_TABSTOP;
      break;
    case ControlKind::Check:
      style |= BS_CHECKBOX | WS_TABSTOP;
      break;
    case ControlKind::Button:
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::DefaultButton:
      style |= BS_DEFPUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::Edit:
      cls = L"EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      break;
    case ControlKind::Label:
      cls = L"STATIC";
      style |= SS_LEFT;
      break;
    case ControlKind::RightLabel:
      cls = L"STATIC";
      style |= SS_RIGHT;
      break;
    case ControlKind::Combo:
      cls = L"COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
      break;
  }
  // An option group starts where the previous control was no option.
  if (kind == ControlKind::Option && (bindings_.empty() || bindings_.back().kind != ControlKind::Option))
    style |= WS_GROUP;
  if (kind != ControlKind::Option && kind != ControlKind::Label && kind != ControlKind::RightLabel)
    style |= WS_GROUP;
  const int id = kFirstControlId + static_cast<int>(bindings_.size());
  const int scaledHeight = kind == ControlKind::Combo ? Scale(height * 8) : Scale(height);
  RECT place{Scale(x), Scale(y), Scale(x) + Scale(width), Scale(y) + scaledHeight};
  HWND frame = nullptr;
  if (kind == ControlKind::Edit) {
    // The frame takes the whole place; the text sits inside it, vertically centred.
    frame = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_GRAYFRAME, place.left, place.top, Scale(width),
                            Scale(height), window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    InflateRect(&place, -Scale(3), -(Scale(height) - Scale(16)) / 2);
  }
  HWND hwnd = CreateWindowExW(
      0, cls, L"", style, place.left, place.top, place.right - place.left, place.bottom - place.top, window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  model.Left = Scale(x);
  model.Top = Scale(y);
  model.Width = Scale(width);
  model.Height = Scale(height);
  Binding binding;
  binding.kind = kind;
  binding.model = &model;
  binding.hwnd = hwnd;
  binding.frame = frame;
  binding.page = page;
  binding.events = std::move(events);
  bindings_.push_back(std::move(binding));
  return hwnd;
}

HWND FormView::Handle(const Control& model) const {
  for (const Binding& b : bindings_) {
    if (b.model == &model) return b.hwnd;
  }
  return nullptr;
}

// An option or check box as wide as its box and caption (never wider than laid out): the
// control paints no face of its own beyond its text.
void FormView::FitToCaption(const Binding& b) const {
  if ((b.kind != ControlKind::Option && b.kind != ControlKind::Check) ||
      (GetWindowLongPtrW(b.hwnd, GWL_STYLE) & BS_MULTILINE) != 0) {
    return;
  }
  HDC dc = GetDC(b.hwnd);
  const HGDIOBJ old = SelectObject(dc, font_);
  SIZE extent{};
  GetTextExtentPoint32W(dc, b.text.c_str(), static_cast<int>(b.text.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(b.hwnd, dc);
  const int width = std::min<int>(b.model->Width, Scale(20) + static_cast<int>(extent.cx) + Scale(4));
  SetWindowPos(b.hwnd, nullptr, 0, 0, width, b.model->Height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormView::Sync(int page) {
  syncing_ = true;
  for (Binding& b : bindings_) {
    const Control& m = *b.model;
    if (b.kind == ControlKind::Combo) {
      const auto& combo = static_cast<const ListControl&>(m);
      if (combo.List != b.list) {
        SendMessageW(b.hwnd, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : combo.List)
          SendMessageW(b.hwnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
        b.list = combo.List;
        b.listIndex = -2;
      }
      if (combo.ListIndex != b.listIndex) {
        SendMessageW(b.hwnd, CB_SETCURSEL, static_cast<WPARAM>(combo.ListIndex), 0);
        b.listIndex = combo.ListIndex;
      }
    } else {
      const std::wstring text = Widen(m.Caption);
      if (text != b.text) {
        // A group box clips the last pixels of its title on some systems: a blank after it keeps
        // the last letter whole.
        SetWindowTextW(b.hwnd, (b.kind == ControlKind::Group && !text.empty() ? text + L" " : text).c_str());
        b.text = text;
        FitToCaption(b);
      }
    }
    if ((b.kind == ControlKind::Option || b.kind == ControlKind::Check) && m.Value != b.value) {
      SendMessageW(b.hwnd, BM_SETCHECK, m.Value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      b.value = m.Value;
    }
    if (m.Enabled != b.enabled) {
      EnableWindow(b.hwnd, m.Enabled ? TRUE : FALSE);
      b.enabled = m.Enabled;
    }
    const bool visible = m.Visible && (b.page < 0 || b.page == page);
    if (visible != b.visible) {
      ShowWindow(b.hwnd, visible ? SW_SHOWNA : SW_HIDE);
      if (b.frame != nullptr) ShowWindow(b.frame, visible ? SW_SHOWNA : SW_HIDE);
      b.visible = visible;
    }
  }
  syncing_ = false;
}

bool FormView::Command(WPARAM wParam, LPARAM lParam) {
  const int index = LOWORD(wParam) - kFirstControlId;
  if (index < 0 || index >= static_cast<int>(bindings_.size())) return false;
  Binding& b = bindings_[static_cast<std::size_t>(index)];
  if (reinterpret_cast<HWND>(lParam) != b.hwnd || syncing_) return true;
  const int code = HIWORD(wParam);
  switch (b.kind) {
    case ControlKind::Edit:
      if (code == EN_CHANGE) {
        b.text = WindowText(b.hwnd);
        b.model->Caption = Narrow(b.text);
        if (b.events.change) b.events.change();
      } else if (code == EN_KILLFOCUS && b.events.lostFocus) {
        b.events.lostFocus();
      }
      break;
    case ControlKind::Combo:
      if (code == CBN_SELCHANGE) {
        auto& combo = static_cast<ListControl&>(*b.model);
        combo.ListIndex = static_cast<int>(SendMessageW(b.hwnd, CB_GETCURSEL, 0, 0));
        b.listIndex = combo.ListIndex;
        if (b.events.click) b.events.click();
      }
      break;
    default:
      if (code == BN_CLICKED && b.events.click) b.events.click();
      break;
  }
  return true;
}

// An empty dialog of the given style; its controls are added afterwards.
HWND CreateEmptyDialog(DWORD style, DWORD exStyle, HWND owner, DLGPROC proc, LPARAM param) {
  struct alignas(4) Template {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
  } tpl{};
  tpl.dialog.style = style;
  tpl.dialog.dwExtendedStyle = exStyle;
  tpl.dialog.cx = 100;
  tpl.dialog.cy = 100;
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &tpl.dialog, owner, proc, param);
}

}  // namespace snapwell::win32
