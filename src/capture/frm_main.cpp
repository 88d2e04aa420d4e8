// The life of the capture surface: loading and the desktop grab, activation, the capture timer
// with the hand-over and the series, the end of a capture and cancelling.
#include "capture/frm_main.h"

#include <cstdlib>
#include <new>

#include "app/settings_io.h"
#include "capture/capture_math.h"
#include "output/series.h"
#include "raster/block_transfer.h"
#include "text/messages.h"

namespace snapwell {

long ErrorNumberOf(const std::exception& failure) {
  if (const auto* own = dynamic_cast<const RunTimeError*>(&failure)) return own->Number();
  if (const auto* imaging = dynamic_cast<const ImagingError*>(&failure)) return imaging->Number();
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) return 7;
  return 51;
}

void RunGuarded(FrmMain& form, std::string_view procedure, const std::function<void()>& body) {
  if (!form.loaded) return;
  try {
    body();
  } catch (const std::exception& failure) {
    form.ReportFailure(procedure, failure);
  } catch (...) {
    form.ReportFailure(procedure, std::runtime_error("unknown failure"));
  }
}

FrmMain::FrmMain(AppContext& appIn, Imaging& imagingIn)
    : app(appIn),
      desktop(appIn.platform.desktop),
      imaging(imagingIn),
      Timer1(appIn.platform.timers, [this] { Timer1_Timer(); }),
      frmPointer(*this, appIn.platform.desktop) {}

FrmMain::~FrmMain() = default;

bool FrmMain::IsShowing() const {
  return loaded && Visible && WindowState != 1;
}

void FrmMain::Load() {
  if (loaded) return;
  loaded = true;
  RunGuarded(*this, "Form_Load", [this] { Form_Load(); });
}

void FrmMain::Show() {
  if (!loaded) return;
  Visible = true;
  desktop.ShowWindow(OwnWindow::Surface, true);
  Form_Activate();
}

void FrmMain::Unload() {
  if (!loaded) return;
  Timer1.SetInterval(0);
  Visible = false;
  desktop.ShowWindow(OwnWindow::Surface, false);
  surface.Resize(0, 0);
  picVariLineDraw.picture.Resize(0, 0);
  loaded = false;
}

void FrmMain::UnloadCompanions() {
  frmBoard.Unload();
  frmPointer.Unload();
}

void FrmMain::ResetState() {
  frameStyle = 0;
  windowMode = 0;
  rotating = busy = false;
  settleTicks = 0;
  pointerX = pointerY = x1 = y1 = x2 = y2 = endX = endY = 0;
  activeWindow = 0;
  radius = angle = clickAngle = centreX = centreY = diagonalAngle = 0.0f;
  commitOnClick = started = released = windowPicked = cutOutActive = false;
  Enabled = true;
  shpBox = ShapeControl();
  shpCircle = ShapeControl();
  for (LineControl* line : {&Line0, &Line1, &Line2, &Line3, &Line4})
    *line = LineControl();
  picVariLineDraw.Visible = false;
  picVariLineDraw.picture.Resize(0, 0);
  lblAlert = LabelControl();
  buffersSized_ = handingOver_ = false;
  seriesAngle_ = 0.0f;
}

void FrmMain::Form_Load() {
  ResetState();
  font = DialogFont(app.texts);
  lblAlert.font = LargeFont(app.texts);
  SetCaptions();
  frameStyle = app.settings.FlameStyle;
  if (app.settings.FlameStyle == 2 && app.templateMode) frameStyle = 0;
  busy = false;
  frmBoard.Load();
  CaptureScreen();
  PlaceAlert(!ScreenSizeLooksRight());
  pointerX = pointerY = 0;
  WindowState = 2;
  DrawWidth = app.settings.FreehandLineWidth;
  frmBoard.SetLineWidth(DrawWidth);
  SetMousePointer(PointerKind::Cross);
  // Topmost over the whole screen, still hidden until it is shown.
  PlaceSurface(ZPlace::Topmost);
  commitOnClick = started = released = windowPicked = rotating = false;
  settleTicks = 0;
  app.seriesIndex = 0;
  if (frameStyle == 3 && app.settings.CaptureWindow == 2) activeWindow = FindActiveWindow();
}

void FrmMain::SetCaptions() {
  lblAlert.Caption = std::string(app.texts(171));
}

void FrmMain::CaptureScreen() {
  const bool wasVisible = Visible;
  Visible = false;
  desktop.ShowWindow(OwnWindow::Surface, false);
  desktop.RefreshDesktop();
  // Monitors added, removed or moved since the last capture count from this one on.
  MeasureScreen(app);
  const std::int32_t sw = app.screenWidth;
  const std::int32_t sh = app.screenHeight;
  SizeBuffer(surface, sw, sh);
  desktop.GrabScreen(surface, app.screenLayout);
  if (app.skipSecondGrab) {
    app.skipSecondGrab = false;
  } else {
    desktop.GrabScreen(surface, app.screenLayout);
  }
  // Where no monitor stands the frozen picture is white, as beyond the screen's edges.
  for (const ScreenArea& corner : UncoveredAreas(app.screenLayout))
    surface.FillRect(corner.left, corner.top, corner.Width(), corner.Height(), kWhite);
  if (Board2Margin() == kBoard2OutlineMargin) {
    // The clean desktop with a white margin of 2 pixels on every side, for the outline fills.
    frmBoard.Load();
    SizeBuffer(frmBoard.picBoard2, std::int64_t{sw} + kBoard2OutlineMargin,
               std::int64_t{sh} + kBoard2OutlineMargin);
    frmBoard.picBoard2.Clear();
    BitBlt(frmBoard.picBoard2, 2, 2, sw, sh, surface, 0, 0, RasterOp::kSrcCopy);
  }
  Visible = wasVisible;
  if (wasVisible) desktop.ShowWindow(OwnWindow::Surface, true);
}

bool FrmMain::ScreenSizeLooksRight() {
  MeasureScreen(app);
  const int twipsPerPixel = app.platform.screen.TwipsPerPixelX();
  const std::int32_t w = desktop.MetricsScreenWidthTwips() / (twipsPerPixel > 0 ? twipsPerPixel : 15);
  return !(std::llabs(static_cast<long long>(w) - app.screenWidth) >
           std::llabs(static_cast<long long>(w) - app.screenHeight));
}

void FrmMain::PlaceAlert(bool show) {
  lblAlert.Visible = show;
  if (!show) return;
  const TextExtent extent = desktop.MeasureText(lblAlert.font, lblAlert.Caption);
  lblAlert.Width = extent.width;
  lblAlert.Height = extent.height;
  lblAlert.Top = 0;
  lblAlert.Left = app.screenWidth - lblAlert.Width;
}

std::int32_t FrmMain::Board2Margin() const {
  return frameStyle == 2 || (frameStyle == 0 && app.templateMode) ? kBoard2OutlineMargin : kBoard2Margin;
}

void FrmMain::SizeBuffers() {
  frmBoard.SizeForScreen(app.screenWidth, app.screenHeight, Board2Margin());
  frmBoard.SetLineWidth(DrawWidth);
  buffersSized_ = true;
}

void FrmMain::Form_Activate() {
  RunGuarded(*this, "Form_Activate", [this] {
    const Settings& s = app.settings;
    windowMode = frameStyle == 3 ? s.CaptureWindow : std::int16_t{-1};
    if (app.showPointer && !(windowMode == s.CaptureWindow && s.RollValue == 6)) frmPointer.Show();
    if (Timer1.Interval() == 0) Timer1.SetInterval(1);
    if (!started) shpBox.Visible = shpCircle.Visible = false;
    if (rotating) return;
    const float pi = app.Pi;
    switch (s.RollValue) {
      case 1:
        angle = pi / 4.0f;
        break;
      case 2:
        angle = pi / 2.0f;
        break;
      case 3:
        angle = -pi / 4.0f;
        break;
      case 4:
        angle = -pi / 2.0f;
        break;
      case 5:
        angle = s.DefRoll * pi / 180.0f;
        break;
      default:
        angle = 0.0f;
        break;
    }
    shpBox.BorderStyle = app.templateMode ? 3 : 1;
    // Sized once: a later activation (after a message box or the Save dialog) must not touch
    // buffers the cut-out and the rotation have filled.
    if (!buffersSized_) SizeBuffers();
    if (app.fixedFrame == 1 && !windowPicked && !released) PrepareFixedFrame();
    if (windowMode == 2 && !released) CaptureActiveWindow();
  });
}

void FrmMain::PlaceSurface(ZPlace place) {
  desktop.SetWindowPos(OwnWindow::Surface, place, 0, 0, app.screenWidth, app.screenHeight,
                       kSwpFrameChanged | (Visible ? kSwpShowWindow : 0));
}

void FrmMain::PlacePointer(ZPlace place) {
  if (!frmPointer.loaded) return;
  desktop.SetWindowPos(OwnWindow::Pointer, place, 0, 0, 1, 1,
                       kSwpNoSize | kSwpNoMove | kSwpNoActivate | kSwpFrameChanged |
                           (frmPointer.Visible ? kSwpShowWindow : 0));
}

void FrmMain::PlaceCaptureWindows(ZPlace place) {
  PlaceSurface(place);
  PlacePointer(place);
}

FrmMain::HandOverScope::HandOverScope(FrmMain& form)
    : form_(form),
      handOver_(form.handOver != nullptr ? *form.handOver
                                         : throw RunTimeError(91, "The capture surface has no hand-over")) {
  form_.handingOver_ = true;
}

FrmMain::HandOverScope::~HandOverScope() {
  form_.handingOver_ = false;
}

void FrmMain::Timer1_Timer() {
  RunGuarded(*this, "Timer1_Timer", [this] {
    if (settleTicks > 0) --settleTicks;
    if (app.showPointer && frmPointer.Visible && !desktop.IsTopmost(OwnWindow::Pointer)) {
      PlaceCaptureWindows(ZPlace::Topmost);
    }
    // A tick that arrives inside the dialogs of a running hand-over waits for it.
    if (handingOver_) return;
    if (released && !rotating) {
      HandOverRegion();
      if (!loaded) return;
    }
    if (app.seriesIndex <= 0) return;
    SeriesStep();
  });
}

void FrmMain::HandOverRegion() {
  const HandOverScope handOverNow(*this);
  std::int16_t ok = -1;
  handOverNow->CutOutRegion(endX, endY, ok);
  if (!loaded) return;  // the cut-out ended the capture itself
  if (ok == 0) {
    Timer1.SetInterval(0);
    EndCapture();
    return;
  }
  if (app.settings.RollValue == 6 && app.settings.ContOutput == 0) {
    handOverNow->RotateAndOutput();
    EndCapture();
  }
}

void FrmMain::SeriesStep() {
  if (app.seriesCancel) {
    EndCapture();
    return;
  }
  const HandOverScope handOverNow(*this);
  // The series turns on from its own angle, so that the snapping of one picture does not
  // swallow the small steps.
  if (app.seriesIndex == 1) seriesAngle_ = angle;
  handOverNow->RotateAndOutput();
  if (!loaded) return;
  SeriesPosition next{seriesAngle_, app.seriesIndex};
  AdvanceSeries(next, app.settings.StepAng, app.settings.EndAng, app.seriesTotal);
  seriesAngle_ = angle = next.angle;
  app.seriesIndex = static_cast<std::int16_t>(next.index);
  if (seriesProgress != nullptr)
    seriesProgress->SetProgressText(SeriesProgressText(next.index, app.seriesTotal));
  if (app.seriesIndex > app.seriesTotal) {
    if (shell != nullptr) shell->EnableSettingsDialog();
    EndCapture();
  }
}

void FrmMain::EndCapture() {
  if (!loaded) return;
  app.dialogArea = {};
  app.SelectionInProgress = false;
  app.showPointer = false;
  rotating = false;
  if (shell != nullptr) shell->ShowHelper();
  frmBoard.Unload();
  frmPointer.Unload();
  if (seriesProgress != nullptr) seriesProgress->Unload();
  Unload();
  if (shell != nullptr) {
    shell->EnableSettingsDialog();
    if (app.settings.WhereStay == 2) shell->QuitApp();
  }
}

void FrmMain::CancelCapture() {
  if (started) {
    EndCapture();
    return;
  }
  if (shell != nullptr) shell->RestoreSettingsDialog();
  EndCapture();
  // A program that quits after every capture has no dialog left to focus.
  if (shell != nullptr && app.settings.WhereStay != 2) shell->FocusSettingsDialog();
}

void FrmMain::SetMousePointer(PointerKind kind) {
  MousePointer = kind;
  desktop.SetMousePointer(OwnWindow::Surface, kind);
}

void FrmMain::ReportFailure(std::string_view procedure, const std::exception& failure) {
  Timer1.SetInterval(0);
  handingOver_ = false;
  busy = false;
  app.platform.ui.MessageBox(UnexpectedErrorText(app.texts, ErrorNumberOf(failure)),
                             UnexpectedErrorTitle("frmMain", procedure), MsgButtons::Ok,
                             MsgIcon::Exclamation);
  EndCapture();
}

}  // namespace snapwell
