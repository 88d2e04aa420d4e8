// Snapwell.exe: start-up on Windows. Builds the real platform and runs the application's
// start-up; windows, tray and capture are driven from there.
#include <windows.h>

#include "app/app_context.h"
#include "app/settings_io.h"
#include "win32/desktop_win32.h"
#include "win32/output_devices_win32.h"
#include "win32/platform_win32.h"
#include "win32/texts_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace snapwell;
  win32::RegistrySettingsStore store;
  win32::Win32FileSystem files;
  win32::Win32Screen screen;
  win32::Win32UserInterface ui;
  win32::Win32Timers timers;
  win32::Win32Desktop desktop;
  win32::Win32OutputDevices output;
  Platform platform{store, files, screen, ui, timers, desktop, output};
  AppContext app(platform, win32::ExecutableFolder(), win32::LoadResourceTexts(instance));
  // Start-up never stops on a failing step.
  MigrateSettings(app);
  LoadSettings(app);
  return 0;
}
