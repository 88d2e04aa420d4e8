// RotateAndOutput: the output target dialog, the rotation into picBoard2 and the outputs in
// their order (clipboard, file, printer), then the beep. A failing output is told to the user and
// does not keep the later outputs from getting the picture; a file that cannot be written may be
// saved elsewhere (the rest of a series follows it there) and nothing else is output again.
#include <algorithm>
#include <string>

#include "output/print_image.h"
#include "text/text_format.h"
#include "transform/hand_over.h"
#include "transform/rotate.h"
#include "transform/scale.h"

namespace snapwell {

void Transform::PlaceOwnWindows(bool topmost) {
  m_.PlaceCaptureWindows(topmost ? ZPlace::Topmost : ZPlace::NotTopmost);
}

void Transform::ShowBusy(bool busy) {
  m_.SetMousePointer(busy ? PointerKind::Hourglass : PointerKind::Cross);
}

void Transform::RotateAndOutput() {
  AppContext& app = m_.app;
  Settings& settings = app.settings;
  Desktop& desktop = m_.desktop;
  Platform& platform = app.platform;
  try {
    m_.SetMousePointer(PointerKind::Hourglass);
    m_.PlaceCaptureWindows(ZPlace::NotTopmost);
    m_.frmPointer.Hide();

    if (settings.OutDialog >= 1) {
      // The output target and series dialogs come up on the monitor of the region.
      const ScreenArea region{std::min(m_.x1, m_.x2), std::min(m_.y1, m_.y2), std::max(m_.x1, m_.x2) + 1,
                              std::max(m_.y1, m_.y2) + 1};
      app.dialogArea = ToSystem(app.screenLayout, MonitorOfArea(app.screenLayout, region));
      m_.busy = true;
      app.showPointer = false;
      outputConfirmed = false;
      if (settings.CaptureWindow == 2 && settings.CopyTimer == 1) {
        m_.PlaceSurface(ZPlace::Topmost);
        desktop.SetWindowPos(OwnWindow::OutDialog, ZPlace::Topmost, 0, 0, app.screenWidth, app.screenHeight,
                             kSwpFrameChanged | kSwpNoActivate | kSwpNoMove | kSwpNoSize);
        m_.Enabled = false;
        desktop.EnableWindow(OwnWindow::Surface, false);
        outputConfirmed = dialogs_.ShowOutputDialog();
        if (settings.ContOutput == 0) {
          m_.Enabled = true;
          desktop.EnableWindow(OwnWindow::Surface, true);
        }
        m_.PlaceSurface(ZPlace::NotTopmost);
      } else {
        outputConfirmed = dialogs_.ShowOutputDialog();
        if (settings.ContOutput != 0) {
          m_.Enabled = false;
          desktop.EnableWindow(OwnWindow::Surface, false);
        }
      }
      if (!outputConfirmed) {
        m_.SetMousePointer(PointerKind::Cross);
        return;
      }
      if (m_.windowMode == 2) {
        m_.Visible = true;
        desktop.ShowWindow(OwnWindow::Surface, true);
      }
    }

    // Rotation into picBoard2.
    m_.angle = SnapAngle(m_.angle, app.Pi);
    RotationRegion region{m_.frameStyle, m_.x1, m_.y1, m_.x2, m_.y2, m_.radius, m_.diagonalAngle};
    CanvasSize canvas;
    const bool rotated =
        RotateCutOut(m_.frmBoard.picBoard2, m_.frmBoard.picBoard1, region, m_.angle, settings.EnlargeValue,
                     settings.RollColorControl, app.Pi, m_.imaging, &canvas);
    m_.diagonalAngle = region.diagonalAngle;
    if (!rotated) {
      std::string text = FormatText(app.texts(kTextScaledTooLarge),
                                    {std::to_string(canvas.width), std::to_string(canvas.height)});
      text += "\r\n";
      text += app.texts(kTextScaledTooLargeHint);
      platform.ui.MessageBox(text, app.texts(119), MsgButtons::Ok, MsgIcon::Exclamation);
      m_.SetMousePointer(PointerKind::Cross);
      return;
    }
    const Picture& picture = m_.frmBoard.picBoard2;

    // The outputs. The clipboard is written only for its own target: the printer prints this
    // picture, never what the clipboard holds.
    const int outputs = settings.Outputs;
    bool failed = false;
    if ((outputs & 1) != 0) failed = !CopyToClipboard(picture, platform.output, platform.ui, app.texts);
    if ((outputs & 2) != 0) {
      app.showPointer = false;
      // The later pictures of a series follow one saved elsewhere; its first starts afresh.
      const bool inSeries = app.seriesIndex >= 1;
      if (app.seriesIndex <= 1) seriesOutputName_ = CFileName();
      SaveImageContext save{
          app.FileName, settings.AutoName, settings.DefaultExt, app.CommonDialog1, platform.files,
          platform.ui,  platform.output,   m_.imaging,          app.texts,         *this};
      if (inSeries) save.seriesName = &seriesOutputName_;
      if (SaveImage(picture, save) == SaveOutcome::Failed) {
        failed = true;
        // The user would not save this picture elsewhere: the series ends here, its files stay.
        if (inSeries) app.seriesCancel = true;
      }
    }
    if ((outputs & 4) != 0) {
      const bool printed = PrintImage(picture, platform.output, app.PrintCopies, app.PrintDocumentName,
                                      platform.ui, app.texts);
      failed = !printed || failed;
    }
    // The beep tells that the outputs are done; after a failure the message has told otherwise.
    if (!failed) platform.ui.Beep();
    m_.SetMousePointer(PointerKind::Cross);
  } catch (...) {
    m_.SetMousePointer(PointerKind::Cross);
    throw;
  }
}

}  // namespace snapwell
