// The helper window `frmNull`: hidden, of zero size at the screen origin; its 1 ms timer opens
// the capture surface as soon as no earlier one is showing.
#pragma once

#include "platform/form_controls.h"
#include "platform/timers.h"

namespace snapwell {

class AppShell;

class frmNull {
 public:
  explicit frmNull(AppShell& shell);

  FormWindow window;
  FormTimer Timer1;

  void Form_Load();
  void Form_Unload();
  // Showing the helper makes it the active window, so its activation runs here.
  void Show();
  void Form_Activate();
  void Timer1_Timer();
  void Form_MouseDown();

 private:
  AppShell& shell_;
};

}  // namespace snapwell
