// The module-wide state of one running Snapwell: the settings, the shared objects made at
// start-up and the values measured from the screen. Passed around instead of globals so that
// tests can build as many as they like.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "app/settings.h"
#include "frames/vell_frame.h"
#include "output/file_name.h"
#include "output/output_context.h"
#include "platform/platform.h"
#include "text/texts.h"

namespace snapwell {

struct AppContext {
  AppContext(Platform& platformIn, std::string appFolder, Texts textsIn = Texts());

  Platform& platform;
  Texts texts;  // every visible text, in the user's language
  Settings settings;
  CFileName FileName;     // the output name; owns the FileName setting
  std::string AppFolder;  // program folder, always with a trailing backslash
  std::string PrintDocumentName;
  std::int32_t screenWidth = 0;  // the virtual screen: every monitor's bounding rectangle
  std::int32_t screenHeight = 0;
  ScreenLayout screenLayout;  // the monitors in it, measured with the size
  ScreenArea dialogArea;      // where the output dialogs stand (system pixels): during a capture the
                              // monitor of the region; empty: the primary monitor
  float Pi = static_cast<float>(4.0 * std::atan(1.0));
  float HalfPi = Pi / 2.0f;
  CVellFrame VellFrame;             // the current frame template, loaded by the capture request
  CommonDialogState CommonDialog1;  // the one Save / print set-up dialog of the run
  std::int32_t PrintCopies = 1;     // copies per printed output; not stored

  // Run-time flags of the shell and the capture, all false at start.
  bool KeepDialogPlace = false;      // ApplySettings must not move the dialog
  bool TrayIconShown = false;        // the tray icon is registered
  bool SelectionInProgress = false;  // the user is marking: the hotkey is ignored
  bool skipSecondGrab = false;       // one-shot: the next grab copies the desktop once
  bool showPointer = false;          // a capture is pending or running
  bool CaptureViaHelper = false;     // frmNull must start the capture
  bool templateMode = false;         // the chosen frame is a stored frame template
  bool trackMoves = false;           // pointer moves are acted on
  std::int16_t fixedFrame = 0;       // 1: the frame has a fixed size
  std::int16_t keyLeftDown = 0;      // 1: Space holds the left button
  std::int16_t mouseLeftDown = 0;    // 1: the real left button is down on the surface
  std::int16_t seriesIndex = 0;      // continuous series: <= 0 means none
  std::int16_t seriesTotal = 0;
  bool seriesCancel = false;
};

// The part of the context the output dialogs and the output set-up work on.
OutputContext OutputContextOf(AppContext& app);

// A folder with exactly one trailing backslash added when it has none ("" stays "").
std::string WithTrailingBackslash(std::string folder);

}  // namespace snapwell
