// Snapwell.exe: the composition of one run on Windows. Builds the real platform, the
// application shell with its windows, the capture surface with its transform and windows, runs
// start-up and then the one message loop until every window is gone.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>

#include "app/app_context.h"
#include "app/app_shell.h"
#include "capture/frm_main.h"
#include "imaging/imaging.h"
#include "output/frm_cont_out.h"
#include "output/frm_out_dialog.h"
#include "transform/hand_over.h"
#include "win32/desktop_win32.h"
#include "win32/dib_picture_win32.h"
#include "win32/frm_main_view_win32.h"
#include "win32/output_devices_win32.h"
#include "win32/output_dialogs_view_win32.h"
#include "win32/platform_win32.h"
#include "win32/setting_view_win32.h"
#include "win32/shell_win32.h"
#include "win32/texts_win32.h"

namespace {

using namespace snapwell;

// The transform's dialogs and the series progress, on the output dialogs' windows.
class OutputDialogs : public TransformDialogs, public SeriesProgress {
 public:
  OutputDialogs(AppShell& shell, frmOutDialog& outDialog, frmContOut& contOut)
      : shell_(shell), outDialog_(outDialog), contOut_(contOut) {}
  win32::OutputDialogViews* views = nullptr;

  void ShowSeriesDialog() override { contOut_.ShowModalDialog(); }
  void ShowSeriesProgress(const std::string& text) override {
    if (views != nullptr) views->ShowSeriesProgress(text);
  }
  bool ShowOutputDialog() override { return outDialog_.ShowForOutput(); }
  void DisableSettingsDialog() override { shell_.setting.window.Enabled = false; }
  void SetProgressText(const std::string& text) override {
    if (views != nullptr && contOut_.window.Loaded) views->SetProgressText(text);
  }
  void Unload() override {
    if (views != nullptr && contOut_.window.Loaded) views->UnloadProgress();
  }

 private:
  AppShell& shell_;
  frmOutDialog& outDialog_;
  frmContOut& contOut_;
};

// The imaging libraries are loaded by name when first used; loading them once the dialog is up
// keeps that load (about a tenth of a second under Wine) off the first capture. A library that
// is missing is still reported when a capture needs it.
void CALLBACK PreloadImagingLibraries(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  for (const wchar_t* name : {L"vell.dll", L"SaveJPG.dll"})
    LoadLibraryW(name);
}

void* DcOfPicture(const Picture& picture) {
  return PictureDc(picture);
}

// Everything of one run, in the order it must be built; the capture surface and the shell
// refer to each other.
struct Run {
  explicit Run(HINSTANCE instance)
      : app(platform, win32::ExecutableFolder(), win32::LoadResourceTexts(instance)),
        imaging(CreateImaging({}, &DcOfPicture)),
        surface(app, *imaging),
        shell(app, surface),
        outDialog(OutputContextOf(app)),
        contOut(OutputContextOf(app)),
        dialogs(shell, outDialog, contOut),
        transform(surface, dialogs) {
    surface.handOver = &transform;
    surface.shell = &shell;
    surface.seriesProgress = &dialogs;
  }

  win32::RegistrySettingsStore store;
  win32::Win32FileSystem files;
  win32::Win32Screen screen;
  win32::Win32UserInterface ui;
  win32::Win32Timers timers;
  win32::Win32Desktop desktop;
  win32::Win32Shell shellPlatform;
  win32::Win32OutputDevices output;
  Platform platform{store, files, screen, ui, timers, desktop, shellPlatform, output};
  AppContext app;
  std::unique_ptr<Imaging> imaging;
  FrmMain surface;
  AppShell shell;
  frmOutDialog outDialog;
  frmContOut contOut;
  OutputDialogs dialogs;
  Transform transform;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // A fault inside a timer's procedure must not be swallowed by the dispatch: that would leave
  // a half-done capture with its topmost surface over the whole screen.
  BOOL suppressTimerFaults = FALSE;
  SetUserObjectInformationW(GetCurrentProcess(), UOI_TIMERPROC_EXCEPTION_SUPPRESSION, &suppressTimerFaults,
                            sizeof suppressTimerFaults);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  Run run(instance);
  const HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  win32::ShellViews views(run.shell, run.shellPlatform, icon);
  // The capture windows exist for the whole run, hidden between captures.
  win32::FrmMainView surfaceView(run.surface, run.desktop);
  win32::FrmPointerView pointerView(run.surface.frmPointer, run.desktop, run.screen);
  surfaceView.Create(instance);
  pointerView.Create(instance);
  win32::OutputDialogViews dialogViews(run.outDialog, run.contOut, DialogFont(run.app.texts));
  dialogViews.desktop = &run.desktop;
  dialogViews.messageOwner = &run.ui.owner;
  run.dialogs.views = &dialogViews;
  const auto syncAll = [&] {
    views.SyncAll();
    surfaceView.Sync();
    pointerView.Sync();
    dialogViews.SyncProgress();
  };
  dialogViews.afterEvent = syncAll;
  // The settings dialog's series button opens the same series dialog.
  run.shell.setting.showContOutDialog = [&run] { return run.contOut.ShowModalDialog(); };
  run.shell.StartUp();
  views.CreateForms();
  run.ui.owner = views.SettingWindow();
  run.ui.desktop = &run.desktop;
  dialogViews.owner = views.SettingWindow();
  // The output dialogs run in front of the shell's own modal forms.
  const std::function<void(ModalForm&)> shellModal = run.shellPlatform.runModal;
  run.shellPlatform.runModal = [&](ModalForm& form) {
    if (!dialogViews.RunModal(form) && shellModal) shellModal(form);
  };
  SetTimer(nullptr, 0, 300, &PreloadImagingLibraries);
  MSG msg;
  while (!run.shell.Ended() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    views.Dispatch(msg);
    syncAll();
  }
  return 0;
}
