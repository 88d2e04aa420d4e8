#include "app/app_shell.h"

#include <exception>
#include <functional>

#include "app/settings_io.h"
#include "text/number_text.h"

namespace snapwell {
namespace {

// A start-up step that fails is left and start-up goes on with the next one.
void Step(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

// A stored option index, read before the dialog exists; the default when missing or odd.
std::int16_t StoredOption(const SettingsStore& store, std::string_view key, int last) {
  const std::optional<std::string> text = store.Get(key);
  if (!text) return 0;
  const std::optional<std::int16_t> value = RoundToInt16(ReadLeadingNumber(*text));
  return value && *value >= 0 && *value <= last ? *value : std::int16_t{0};
}

}  // namespace

AppShell::AppShell(AppContext& appIn, CaptureSurfaceLink& captureIn)
    : app(appIn), capture(captureIn), tray(*this), setting(*this), helper(*this), hotkeyDialog(appIn) {}

void AppShell::StartUp() {
  std::int16_t appearWindow = 0;
  std::int16_t whereStay = 0;
  Step([&] {
    app.FileName = CFileName();
    app.VellFrame = CVellFrame();
  });
  Step([&] {
    app.Pi = static_cast<float>(4.0 * std::atan(1.0));
    app.HalfPi = app.Pi / 2.0f;
  });
  Step([&] { app.AppFolder = WithTrailingBackslash(app.AppFolder); });
  Step([&] {
    DialogFont = snapwell::DialogFont(app.texts);
    LargeFont = snapwell::LargeFont(app.texts);
  });
  Step([&] { MigrateSettings(app); });
  Step([&] {
    appearWindow = StoredOption(app.platform.store, "AppearWindow", 1);
    whereStay = StoredOption(app.platform.store, "WhereStay", 2);
  });
  app.KeepDialogPlace = false;
  app.TrayIconShown = false;
  app.skipSecondGrab = false;
  app.showPointer = false;
  Step([&] { tray.Form_Load(); });
  Step([&] { setting.Form_Load(); });
  Step([&] {
    FormWindow& dialog = setting.window;
    switch (whereStay) {
      case 0:
        dialog.Visible = false;
        tray.AddTrayIcon();
        if (appearWindow == 0) {
          dialog.State = WindowState::Normal;
          dialog.Visible = true;
        }
        break;
      case 1:
        if (appearWindow == 0) dialog.State = WindowState::Normal;
        dialog.Visible = true;
        break;
      default:
        setting.EnableAppearWindowFrame(false);
        setting.optAppearWindow_Click(0);
        dialog.State = WindowState::Normal;
        dialog.Visible = true;
        break;
    }
  });
}

void AppShell::LaunchNewInstance() {
  app.platform.shell.LaunchProcess(app.AppFolder + app.platform.shell.ExecutableBaseName());
}

bool AppShell::Ended() const {
  return !setting.window.Loaded && !tray.window.Loaded && !helper.window.Loaded;
}

void AppShell::ShowHelper() {
  helper.Show();
}

void AppShell::EnableSettingsDialog() {
  setting.window.Enabled = true;
}

void AppShell::RestoreSettingsDialog() {
  setting.window.State = WindowState::Normal;
  setting.window.Visible = true;
}

void AppShell::FocusSettingsDialog() {
  ++setting.window.FocusRequests;
}

void AppShell::QuitApp() {
  setting.QuitApp();
}

}  // namespace snapwell
