// Snapwell.exe: the composition of one run on Windows. Builds the real platform, the
// application shell with its windows and the capture surface, runs start-up and then the one
// message loop until every window is gone.
#include <windows.h>

#include <commctrl.h>

#include "app/app_context.h"
#include "app/app_shell.h"
#include "win32/desktop_win32.h"
#include "win32/output_devices_win32.h"
#include "win32/platform_win32.h"
#include "win32/setting_view_win32.h"
#include "win32/shell_win32.h"
#include "win32/texts_win32.h"

namespace {

using namespace snapwell;

// The capture surface of this build. Until the frozen-screen window takes its place here, a
// requested capture ends the moment it would be shown, as a capture cancelled before its first
// point does: the shell is handed back its dialog and helper, and without residence the
// program ends.
class ImmediateEndSurface : public CaptureSurfaceLink {
 public:
  ImmediateEndSurface(AppContext& app, ShellLink& shell) : app_(app), shell_(shell) {}
  bool IsLoaded() const override { return loaded_; }
  bool IsShowing() const override { return false; }
  void Load() override { loaded_ = true; }
  void Show() override {
    loaded_ = false;
    app_.SelectionInProgress = false;
    app_.showPointer = false;
    shell_.ShowHelper();
    shell_.EnableSettingsDialog();
    if (app_.settings.WhereStay == 2) shell_.QuitApp();
  }
  void Unload() override { loaded_ = false; }
  void UnloadCompanions() override {}

 private:
  AppContext& app_;
  ShellLink& shell_;
  bool loaded_ = false;
};

// Everything of one run, in the order it must be built; the capture surface and the shell
// refer to each other.
struct Run {
  explicit Run(HINSTANCE instance)
      : app(platform, win32::ExecutableFolder(), win32::LoadResourceTexts(instance)),
        surface(app, shell),
        shell(app, surface) {}

  win32::RegistrySettingsStore store;
  win32::Win32FileSystem files;
  win32::Win32Screen screen;
  win32::Win32UserInterface ui;
  win32::Win32Timers timers;
  win32::Win32Desktop windows;
  win32::Win32Shell desktop;
  win32::Win32OutputDevices output;
  Platform platform{store, files, screen, ui, timers, windows, desktop, output};
  AppContext app;
  ImmediateEndSurface surface;
  AppShell shell;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  Run run(instance);
  const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  win32::ShellViews views(run.shell, run.desktop, icon);
  run.shell.StartUp();
  views.CreateForms();
  run.ui.owner = views.SettingWindow();
  MSG msg;
  while (!run.shell.Ended() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    views.Dispatch(msg);
    views.SyncAll();
  }
  return 0;
}
