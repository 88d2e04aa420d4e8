// The native side of a form model: creates the window's controls from a layout in 96-dpi
// pixels scaled to the system DPI, gives every one the dialog font, forwards the user's actions
// to the form's event procedures and renders whatever the model holds after each event.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/form_controls.h"
#include "text/fonts.h"
#include "win32/window_metrics_win32.h"

namespace snapwell::win32 {

enum class ControlKind { Group, Option, Check, Button, DefaultButton, Edit, Label, RightLabel, Combo };

class FormView {
 public:
  struct Events {
    std::function<void()> click;      // buttons, options, check boxes, list choice
    std::function<void()> change;     // text typed by the user (after the model took the text)
    std::function<void()> lostFocus;  // a text box left
  };
  static Events OnClick(std::function<void()> click) {
    Events events;
    events.click = std::move(click);
    return events;
  }

  FormView() = default;
  FormView(const FormView&) = delete;
  FormView& operator=(const FormView&) = delete;
  ~FormView();

  void Attach(HWND window, const FontChoice& font);
  HWND Window() const { return window_; }
  int Scale(int pixels96) const { return MulDiv(pixels96, dpi_, 96); }
  int Dpi() const { return dpi_; }
  HFONT Font() const { return font_; }

  // A control at x, y, width, height (96-dpi pixels of the client area) on a page (-1: always).
  HWND Add(ControlKind kind, Control& model, int x, int y, int width, int height, int page = -1,
           Events events = {});
  HWND Handle(const Control& model) const;
  // Renders the controls of the model; those of other pages than page are hidden.
  void Sync(int page);
  // WM_COMMAND of one of the controls; true when it was one of ours.
  bool Command(WPARAM wParam, LPARAM lParam);
  bool Syncing() const { return syncing_; }

 private:
  struct Binding {
    ControlKind kind = ControlKind::Label;
    Control* model = nullptr;
    HWND hwnd = nullptr;
    HWND frame = nullptr;  // a text box's frame, drawn in the client area so nothing paints over it
    int page = -1;
    Events events;
    std::wstring text;
    bool enabled = true;
    bool visible = false;
    int value = -1;
    std::vector<std::string> list;
    int listIndex = -2;
  };

  void FitToCaption(const Binding& binding) const;

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  std::vector<Binding> bindings_;
  bool syncing_ = false;
};

// An empty dialog of the given style; its controls are added afterwards.
HWND CreateEmptyDialog(DWORD style, DWORD exStyle, HWND owner, DLGPROC proc, LPARAM param);

}  // namespace snapwell::win32
