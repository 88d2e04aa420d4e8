// The settings dialog's layout: the tab control and one table row per control (kind, model,
// place and size in 96-dpi pixels of the client area, page, and the event procedure it calls),
// created in tab order.
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "win32/setting_view_win32.h"
#include "win32/text_win32.h"

namespace snapwell::win32 {
namespace {

constexpr int kMain = 0;
constexpr int kEnv = 1;

struct LayoutRow {
  ControlKind kind;
  Control& control;
  int x, y, width, height;
  int page;
  FormView::Events events;
};

}  // namespace

void ShellViews::LayOutSetting() {
  frmSetting& f = form_;
  RECT client{};
  GetClientRect(dialog_, &client);
  tab_ =
      CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                      view_.Scale(4), view_.Scale(4), client.right - view_.Scale(8),
                      client.bottom - view_.Scale(8), dialog_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(view_.Font()), FALSE);
  for (int page = 0; page < 2; ++page) {
    std::wstring caption = Widen(f.tabCaption[page]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tab_, TCM_INSERTITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
  }

  // The event procedures a control calls, as a user's action runs them.
  const auto select = [&f](auto& group, int i, void (frmSetting::*click)(int)) {
    return FormView::OnClick([&f, &group, i, click] { f.Select(group, i, click); });
  };
  const auto check = [&f](Control& box, void (frmSetting::*click)()) {
    return FormView::OnClick([&f, &box, click] { f.SetCheck(box, box.Value != 0 ? 0 : 1, click); });
  };
  const auto output = [&f](int i) {
    return FormView::OnClick([&f, i] {
      f.SetCheck(f.chkOutput[i], f.chkOutput[i].Value != 0 ? 0 : 1, i, &frmSetting::chkOutput_Click);
    });
  };
  const auto press = [&f](void (frmSetting::*click)()) {
    return FormView::OnClick([&f, click] { (f.*click)(); });
  };
  const auto call = [](std::function<void()> click) { return FormView::OnClick(std::move(click)); };
  const auto text = [&f](void (frmSetting::*leave)(), void (frmSetting::*change)() = nullptr) {
    FormView::Events e;
    e.lostFocus = [&f, leave] { (f.*leave)(); };
    if (change != nullptr) e.change = [&f, change] { (f.*change)(); };
    return e;
  };
  const auto flame = &frmSetting::optFlame_Click;
  const auto target = &frmSetting::optWindowTarget_Click;
  const auto timer = &frmSetting::optTimerEnable_Click;
  const auto reverse = &frmSetting::optReverse_Click;
  const auto roll = &frmSetting::optRoll_Click;
  const auto stay = &frmSetting::optWhereStay_Click;
  const auto ext = &frmSetting::optDefaultFileExt_Click;
  const auto width = &frmSetting::optDrawWidthValue_Click;
  const auto rollColor = &frmSetting::optFlgRollColor_Click;
  const auto reductColor = &frmSetting::optFlgReductColor_Click;
  const auto enlargeColor = &frmSetting::optFlgEnlargeColor_Click;
  using K = ControlKind;

  const LayoutRow rows[] = {
      // Main page, left column: frame tool, countdown, scale, flip.
      {K::Group, f.fraFrame, 10, 30, 170, 170, kMain, {}},
      {K::Option, f.optFlame[0], 18, 46, 150, 18, kMain, select(f.optFlame, 0, flame)},
      {K::Option, f.optFlame[1], 18, 64, 150, 18, kMain, select(f.optFlame, 1, flame)},
      {K::Option, f.optFlame[2], 18, 85, 16, 18, kMain, select(f.optFlame, 2, flame)},
      {K::Option, f.optFlame[3], 18, 108, 150, 18, kMain, select(f.optFlame, 3, flame)},
      {K::Combo, f.cmbVariLine, 36, 83, 136, 22, kMain, call([&f] { f.cmbVariLine_Click(); })},
      {K::Check, f.chkFixField, 18, 130, 150, 18, kMain,
       check(f.chkFixField, &frmSetting::chkFixField_Click)},
      {K::RightLabel, f.Label1, 14, 155, 58, 16, kMain, {}},
      {K::Edit, f.txtFFX, 74, 152, 40, 21, kMain, text(&frmSetting::txtFFX_LostFocus)},
      {K::RightLabel, f.Label2, 114, 155, 19, 16, kMain, {}},
      {K::Edit, f.txtFFY, 135, 152, 41, 21, kMain, text(&frmSetting::txtFFY_LostFocus)},
      {K::Label, f.Label10, 18, 130, 150, 16, kMain, {}},
      {K::Option, f.optWindowTarget[0], 26, 146, 146, 17, kMain, select(f.optWindowTarget, 0, target)},
      {K::Option, f.optWindowTarget[1], 26, 163, 146, 17, kMain, select(f.optWindowTarget, 1, target)},
      {K::Option, f.optWindowTarget[2], 26, 180, 146, 17, kMain, select(f.optWindowTarget, 2, target)},

      {K::Group, f.fraTimer, 10, 204, 170, 60, kMain, {}},
      {K::Option, f.optTimerEnable[0], 18, 220, 72, 18, kMain, select(f.optTimerEnable, 0, timer)},
      {K::Option, f.optTimerEnable[1], 92, 220, 82, 18, kMain, select(f.optTimerEnable, 1, timer)},
      {K::Edit, f.txtCopyTime, 110, 239, 40, 21, kMain, text(&frmSetting::txtCopyTime_LostFocus)},
      {K::Label, f.Label3, 153, 242, 25, 16, kMain, {}},

      {K::Group, f.fraEnlarge, 10, 268, 170, 64, kMain, {}},
      {K::Edit, f.txtEnlarge, 18, 284, 50, 21, kMain,
       text(&frmSetting::txtEnlarge_LostFocus, &frmSetting::txtEnlarge_Change)},
      {K::Label, f.Label4, 70, 287, 22, 16, kMain, {}},
      {K::Label, f.Label13, 96, 287, 80, 16, kMain, {}},
      {K::Button, f.btnEnlarge[0], 16, 307, 52, 22, kMain, call([&f] { f.btnEnlarge_Click(0); })},
      {K::Button, f.btnEnlarge[1], 70, 307, 52, 22, kMain, call([&f] { f.btnEnlarge_Click(1); })},
      {K::Button, f.btnEnlarge[2], 124, 307, 52, 22, kMain, call([&f] { f.btnEnlarge_Click(2); })},

      {K::Group, f.fraReverse, 10, 336, 170, 58, kMain, {}},
      {K::Option, f.optReverse[0], 16, 352, 72, 18, kMain, select(f.optReverse, 0, reverse)},
      {K::Option, f.optReverse[1], 88, 352, 90, 18, kMain, select(f.optReverse, 1, reverse)},
      {K::Option, f.optReverse[2], 16, 371, 72, 18, kMain, select(f.optReverse, 2, reverse)},
      {K::Option, f.optReverse[3], 88, 371, 90, 18, kMain, select(f.optReverse, 3, reverse)},

      // Main page, right column: default angle, output targets.
      {K::Group, f.fraAngle, 186, 30, 170, 170, kMain, {}},
      {K::Option, f.optRoll[0], 194, 64, 150, 18, kMain, select(f.optRoll, 0, roll)},
      {K::Option, f.optRoll[1], 194, 82, 74, 18, kMain, select(f.optRoll, 1, roll)},
      {K::Option, f.optRoll[2], 194, 100, 74, 18, kMain, select(f.optRoll, 2, roll)},
      {K::Option, f.optRoll[3], 272, 82, 80, 18, kMain, select(f.optRoll, 3, roll)},
      {K::Option, f.optRoll[4], 272, 100, 80, 18, kMain, select(f.optRoll, 4, roll)},
      {K::Option, f.optRoll[5], 194, 121, 62, 18, kMain, select(f.optRoll, 5, roll)},
      {K::Option, f.optRoll[6], 194, 46, 150, 18, kMain, select(f.optRoll, 6, roll)},
      {K::Edit, f.txtRoll, 258, 119, 48, 21, kMain, text(&frmSetting::txtRoll_LostFocus)},
      {K::Label, f.Label5, 310, 122, 42, 16, kMain, {}},
      {K::Label, f.Label6, 194, 145, 156, 16, kMain, {}},
      {K::Label, f.Label7, 204, 161, 146, 16, kMain, {}},
      {K::Label, f.Label8, 204, 177, 146, 16, kMain, {}},

      {K::Group, f.fraOutput, 186, 204, 170, 172, kMain, {}},
      {K::Check, f.chkOutput[0], 194, 220, 156, 18, kMain, output(0)},
      {K::Check, f.chkOutput[2], 194, 238, 156, 18, kMain, output(2)},
      {K::Check, f.chkOutput[1], 194, 257, 76, 18, kMain, output(1)},
      {K::Button, f.btnFile, 272, 255, 78, 22, kMain, press(&frmSetting::btnFile_Click)},
      {K::Check, f.chkAutoName, 194, 278, 156, 30, kMain,
       check(f.chkAutoName, &frmSetting::chkAutoName_Click)},
      {K::Check, f.chkOutDialog, 194, 308, 156, 36, kMain,
       check(f.chkOutDialog, &frmSetting::chkOutDialog_Click)},
      {K::Check, f.chkContOut, 194, 348, 16, 18, kMain, check(f.chkContOut, &frmSetting::chkContOut_Click)},
      {K::Button, f.btnContOut, 212, 346, 138, 22, kMain, press(&frmSetting::btnContOut_Click)},

      {K::DefaultButton, f.btnStart, 10, 400, 110, 24, kMain, press(&frmSetting::btnStart_Click)},
      {K::Button, f.btnReset, 128, 400, 110, 24, kMain, press(&frmSetting::btnReset_Click)},
      {K::Button, f.btnClose, 246, 400, 110, 24, kMain, press(&frmSetting::btnClose_Click)},

      // Env. page.
      {K::Group, f.fraWhereStay, 10, 30, 346, 42, kEnv, {}},
      {K::Option, f.optWhereStay[0], 18, 48, 108, 18, kEnv, select(f.optWhereStay, 0, stay)},
      {K::Option, f.optWhereStay[1], 130, 48, 108, 18, kEnv, select(f.optWhereStay, 1, stay)},
      {K::Option, f.optWhereStay[2], 242, 48, 108, 18, kEnv, select(f.optWhereStay, 2, stay)},
      {K::Group, f.fraAppearWindow, 10, 76, 346, 42, kEnv, {}},
      {K::Option, f.optAppearWindow[0], 18, 94, 108, 18, kEnv, call([&f] { f.optAppearWindow_Click(0); })},
      {K::Option, f.optAppearWindow[1], 130, 94, 108, 18, kEnv, call([&f] { f.optAppearWindow_Click(1); })},
      {K::Group, f.fraDefaultFileExt, 10, 122, 346, 42, kEnv, {}},
      {K::Option, f.optDefaultFileExt[1], 18, 140, 54, 18, kEnv, select(f.optDefaultFileExt, 1, ext)},
      {K::Option, f.optDefaultFileExt[2], 73, 140, 54, 18, kEnv, select(f.optDefaultFileExt, 2, ext)},
      {K::Option, f.optDefaultFileExt[3], 128, 140, 54, 18, kEnv, select(f.optDefaultFileExt, 3, ext)},
      {K::Option, f.optDefaultFileExt[4], 183, 140, 54, 18, kEnv, select(f.optDefaultFileExt, 4, ext)},
      {K::Option, f.optDefaultFileExt[5], 238, 140, 54, 18, kEnv, select(f.optDefaultFileExt, 5, ext)},
      {K::Option, f.optDefaultFileExt[6], 293, 140, 54, 18, kEnv, select(f.optDefaultFileExt, 6, ext)},
      {K::Group, f.fraLineWidth, 10, 168, 346, 42, kEnv, {}},
      {K::Option, f.optDrawWidthValue[3], 18, 186, 108, 18, kEnv, select(f.optDrawWidthValue, 3, width)},
      {K::Option, f.optDrawWidthValue[2], 130, 186, 108, 18, kEnv, select(f.optDrawWidthValue, 2, width)},
      {K::Option, f.optDrawWidthValue[1], 242, 186, 108, 18, kEnv, select(f.optDrawWidthValue, 1, width)},
      {K::Group, f.fraColorAdjust, 10, 214, 346, 172, kEnv, {}},
      {K::Group, f.fraWhereRotation, 18, 230, 330, 38, kEnv, {}},
      {K::Option, f.optFlgRollColor[0], 26, 246, 146, 18, kEnv, select(f.optFlgRollColor, 0, rollColor)},
      {K::Option, f.optFlgRollColor[1], 176, 246, 146, 18, kEnv, select(f.optFlgRollColor, 1, rollColor)},
      {K::Group, f.fraWhereReduct, 18, 270, 330, 38, kEnv, {}},
      {K::Option, f.optFlgReductColor[0], 26, 286, 146, 18, kEnv,
       select(f.optFlgReductColor, 0, reductColor)},
      {K::Option, f.optFlgReductColor[1], 176, 286, 146, 18, kEnv,
       select(f.optFlgReductColor, 1, reductColor)},
      {K::Group, f.fraWhereEnlarge, 18, 310, 330, 38, kEnv, {}},
      {K::Option, f.optFlgEnlargeColor[0], 26, 326, 112, 18, kEnv,
       select(f.optFlgEnlargeColor, 0, enlargeColor)},
      {K::Option, f.optFlgEnlargeColor[1], 140, 326, 104, 18, kEnv,
       select(f.optFlgEnlargeColor, 1, enlargeColor)},
      {K::Option, f.optFlgEnlargeColor[2], 246, 326, 98, 18, kEnv,
       select(f.optFlgEnlargeColor, 2, enlargeColor)},
      {K::Label, f.lblDoAdjust, 26, 352, 322, 16, kEnv, {}},
      {K::Label, f.lblNoAdjust, 26, 368, 322, 16, kEnv, {}},
      {K::Button, f.btnHotKeySetting, 10, 400, 160, 24, kEnv, press(&frmSetting::btnHotKeySetting_Click)},
  };
  for (const LayoutRow& row : rows)
    view_.Add(row.kind, row.control, row.x, row.y, row.width, row.height, row.page, row.events);

  // The two long check boxes wrap their captions.
  for (const Control* box : {&f.chkAutoName, &f.chkOutDialog}) {
    HWND h = view_.Handle(*box);
    SetWindowLongPtrW(h, GWL_STYLE, GetWindowLongPtrW(h, GWL_STYLE) | BS_MULTILINE | BS_TOP);
  }
  SendMessageW(dialog_, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(view_.Handle(f.btnStart))), 0);
}

}  // namespace snapwell::win32
