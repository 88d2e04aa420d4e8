// The settings dialog's menu bar as one table: where each item stands, its model and its event
// procedure. The bar is rebuilt whenever an item's caption, visibility or enabled state changes.
#include <string>

#include "win32/setting_view_win32.h"
#include "win32/text_win32.h"

namespace snapwell::win32 {
namespace {

enum class MenuPlace { File, Setting, Bar };

struct MenuRow {
  MenuPlace place;
  bool separatorBefore;
  Control frmSetting::*item;
  void (frmSetting::*click)();
};

// The command id of row i is ShellViews::kMenuBase + 1 + i.
constexpr MenuRow kMenuRows[] = {
    {MenuPlace::File, false, &frmSetting::mnuFName, &frmSetting::mnuFName_Click},
    {MenuPlace::File, false, &frmSetting::mnuPrinter, &frmSetting::mnuPrinter_Click},
    {MenuPlace::File, true, &frmSetting::mnuRun, &frmSetting::mnuRun_Click},
    {MenuPlace::File, false, &frmSetting::mnuSaveSetting, &frmSetting::mnuSaveSetting_Click},
    {MenuPlace::File, false, &frmSetting::mnuSelectOutLineList, &frmSetting::mnuSelectOutLineList_Click},
    {MenuPlace::File, true, &frmSetting::mnuClose, &frmSetting::mnuClose_Click},
    {MenuPlace::File, false, &frmSetting::mnuEnd, &frmSetting::mnuEnd_Click},
    {MenuPlace::File, false, &frmSetting::mnuRestart, &frmSetting::mnuRestart_Click},
    {MenuPlace::Setting, false, &frmSetting::mnuSaveSetting2, &frmSetting::mnuSaveSetting2_Click},
    {MenuPlace::Setting, false, &frmSetting::mnuSettingReset, &frmSetting::mnuSettingReset_Click},
    {MenuPlace::Bar, false, &frmSetting::mnuVersion, &frmSetting::mnuVersion_Click},
};
constexpr int kMenuRowCount = static_cast<int>(sizeof kMenuRows / sizeof kMenuRows[0]);

}  // namespace

void ShellViews::BuildMenu() {
  const frmSetting& f = form_;
  std::wstring signature = Widen(f.mnuFile.Caption) + L"|" + Widen(f.mnuSetting.Caption) + L"|";
  for (const MenuRow& row : kMenuRows) {
    const Control& c = f.*row.item;
    signature += Widen(c.Caption) + (c.Visible ? L"v" : L"h") + (c.Enabled ? L"e" : L"d") + L"|";
  }
  if (signature == menuSignature_) return;
  menuSignature_ = signature;
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  HMENU setting = CreatePopupMenu();
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), Widen(f.mnuFile.Caption).c_str());
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(setting), Widen(f.mnuSetting.Caption).c_str());
  for (int i = 0; i < kMenuRowCount; ++i) {
    const MenuRow& row = kMenuRows[i];
    const Control& c = f.*row.item;
    const auto id = static_cast<UINT_PTR>(kMenuBase + 1 + i);
    if (row.place == MenuPlace::Bar) {
      AppendMenuW(bar, MF_STRING, id, Widen(c.Caption).c_str());
      continue;
    }
    HMENU menu = row.place == MenuPlace::File ? file : setting;
    if (row.separatorBefore) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    if (c.Visible)
      AppendMenuW(menu, MF_STRING | (c.Enabled ? MF_ENABLED : MF_GRAYED), id, Widen(c.Caption).c_str());
  }
  HMENU old = menu_;
  menu_ = bar;
  SetMenu(dialog_, menu_);
  if (old != nullptr) DestroyMenu(old);
}

bool ShellViews::MenuCommand(int id) {
  const int row = id - kMenuBase - 1;
  if (row < 0 || row >= kMenuRowCount) return false;
  (form_.*kMenuRows[row].click)();
  return true;
}

}  // namespace snapwell::win32
