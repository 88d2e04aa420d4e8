// The state of a form's window and of its named controls, as a form designer keeps it: the
// views render it and forward the user's actions to the form's event procedures. Every form
// model builds on it, the shell's forms and the output dialogs alike.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace snapwell {

// One control: caption (or text of a text box), enabled, visible, value (check box: 0/1,
// option button: on when 1). Left/Top/Width/Height are the control's place in pixels of the
// window's client area; the view fills them in after its layout.
struct Control {
  std::string Caption;
  bool Enabled = true;
  bool Visible = true;
  int Value = 0;
  bool TabStop = true;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

// A drop-down list: its items and the selected index (-1: none).
struct ListControl : Control {
  std::vector<std::string> List;
  int ListIndex = -1;
};

// The window itself. Position and size in twips, as the form keeps them.
struct FormWindow {
  std::string Caption;
  bool Loaded = false;
  bool Visible = false;
  bool Enabled = true;
  WindowState State = WindowState::Normal;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  // Bumped each time the form asks for the keyboard focus (for its default control).
  int FocusRequests = 0;
};

}  // namespace snapwell
