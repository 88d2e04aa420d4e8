// The two halves of a run meet here: the application shell (settings dialog, tray, countdown,
// helper window) starts and discards captures; the capture surface reports back when it ends.
// Each side implements one interface, so neither needs the other's classes.
#pragma once

namespace snapwell {

// What the shell asks of the capture surface `frmMain` and its companion windows.
class CaptureSurfaceLink {
 public:
  virtual ~CaptureSurfaceLink() = default;
  virtual bool IsLoaded() const = 0;
  // Loaded, visible and not minimised.
  virtual bool IsShowing() const = 0;
  // Loads the surface hidden (it grabs the desktop) unless it is loaded already.
  virtual void Load() = 0;
  // Makes the loaded surface visible: marking begins.
  virtual void Show() = 0;
  // Unloads `frmMain`; nothing happens when it is not loaded.
  virtual void Unload() = 0;
  // Unloads `frmBoard` (the three buffers) and `frmPointer`.
  virtual void UnloadCompanions() = 0;
};

// What the capture surface asks of the shell.
class ShellLink {
 public:
  virtual ~ShellLink() = default;
  // Shows the hidden helper window `frmNull`.
  virtual void ShowHelper() = 0;
  virtual void EnableSettingsDialog() = 0;
  // Cancel before the first point: show the settings dialog in the normal window state.
  virtual void RestoreSettingsDialog() = 0;
  virtual void FocusSettingsDialog() = 0;
  // `QuitApp` of the settings dialog.
  virtual void QuitApp() = 0;
};

}  // namespace snapwell
