// The capture surface `frmMain`: the frozen desktop shown full-screen, the marking of a region on
// it with the frame tools, and the hand-over of the marked region to the transform. With it live its
// companions for one capture: the buffers `frmBoard` and the pointer readout `frmPointer`.
// These are models: what a window shows (visibility, shapes, pointer kind, labels) is held here,
// and the platform's view paints it; the platform is asked only for the desktop and the windows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/app_context.h"
#include "app/capture_link.h"
#include "capture/frm_board.h"
#include "capture/run_time_error.h"
#include "imaging/imaging.h"
#include "platform/desktop.h"
#include "platform/timers.h"
#include "raster/picture.h"
#include "text/fonts.h"

namespace snapwell {

class FrmMain;

// The transform's half of the hand-over, provided by the composition. Both work on the surface's
// fields and buffers; a failure is raised as an exception and reaches the calling event procedure.
class HandOver {
 public:
  virtual ~HandOver() = default;
  // Cuts the marked region out into picBoard1 (masked, mirrored, scaled); ok = 0 ends the capture.
  virtual void CutOutRegion(std::int32_t& endX, std::int32_t& endY, std::int16_t& ok) = 0;
  // Rotates the cut-out into picBoard2 and delivers it to the chosen outputs.
  virtual void RotateAndOutput() = 0;
};

// The progress window of a continuous series (`frmContOut`), as the capture timer drives it.
class SeriesProgress {
 public:
  virtual ~SeriesProgress() = default;
  // Text of its number box (`txtOutputNumber`).
  virtual void SetProgressText(const std::string& text) = 0;
  // Unloads the dialog; nothing happens when it is not loaded.
  virtual void Unload() = 0;
};

// The error number of any failure: its own number where it carries one, 7 for memory, else 51.
long ErrorNumberOf(const std::exception& failure);

// A shape control (`shpBox`, `shpCircle`): pixels, single precision; width w covers left … left + w − 1.
struct ShapeControl {
  bool Visible = false;
  float Left = 0.0f;
  float Top = 0.0f;
  float Width = 0.0f;
  float Height = 0.0f;
  std::int16_t BorderStyle = 1;  // 1 solid; 3 dotted (the frame-template look)
  std::uint32_t BorderColor = 0x000000FF;
  DrawMode drawMode = DrawMode::kContrast;
};

// A line control (`Line0`–`Line4`).
struct LineControl {
  bool Visible = false;
  float X1 = 0.0f;
  float Y1 = 0.0f;
  float X2 = 0.0f;
  float Y2 = 0.0f;
  DrawMode drawMode = DrawMode::kContrast;
};

// A picture box on the surface (`picVariLineDraw`); its size is its picture's.
struct PictureControl {
  bool Visible = false;
  float Left = 0.0f;
  float Top = 0.0f;
  Picture picture;
};

// A label (`lblAlert`), pixels.
struct LabelControl {
  bool Visible = false;
  std::string Caption;
  FontChoice font;
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// The pointer readout window `frmPointer`: one line of text beside the pointer. Positions and
// sizes are twips.
class FrmPointer {
 public:
  FrmPointer(FrmMain& surface, Desktop& desktop);

  bool loaded = false;
  bool Visible = false;
  std::string lblPointer = "(0,0)";
  FontChoice font;
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;

  void Load();
  void Show();
  void Hide();
  void Unload();
  // Sets the label's text; the window takes the label's size plus its margins.
  void SetText(const std::string& text);
  // Its own events, passed on to the surface.
  void Form_KeyDown(std::int16_t keyCode, std::int16_t shift);
  void Form_KeyUp(std::int16_t keyCode, std::int16_t shift);
  void Form_MouseMove(std::int16_t button, std::int16_t shift);
  // A close request; true = refused (every close the user asks for is refused).
  bool Form_QueryUnload(bool fromUser) const { return fromUser; }

 private:
  FrmMain& surface_;
  Desktop& desktop_;
};

// The capture surface.
class FrmMain : public CaptureSurfaceLink {
 public:
  FrmMain(AppContext& app, Imaging& imaging);
  ~FrmMain() override;
  FrmMain(const FrmMain&) = delete;
  FrmMain& operator=(const FrmMain&) = delete;

  AppContext& app;
  Desktop& desktop;
  Imaging& imaging;
  // Set by the composition.
  HandOver* handOver = nullptr;
  ShellLink* shell = nullptr;
  SeriesProgress* seriesProgress = nullptr;

  // --- state of the surface, all reset when it loads
  std::int16_t frameStyle = 0;  // 0 rectangle, 1 circle, 2 freehand, 3 window target
  std::int16_t windowMode = 0;  // CaptureWindow for the window target, else -1
  bool rotating = false;        // the rotation phase runs
  bool busy = false;            // transform and output run: input is ignored
  std::int16_t settleTicks = 0;
  std::int32_t pointerX = 0;
  std::int32_t pointerY = 0;
  std::int32_t x1 = 0;
  std::int32_t y1 = 0;
  std::int32_t x2 = 0;
  std::int32_t y2 = 0;
  std::int32_t endX = 0;
  std::int32_t endY = 0;
  WindowHandle activeWindow = 0;
  float radius = 0.0f;
  float angle = 0.0f;  // radians, clockwise on screen
  float clickAngle = 0.0f;
  float centreX = 0.0f;
  float centreY = 0.0f;
  float diagonalAngle = 0.0f;  // set by the cut-out for the turned rectangle
  bool commitOnClick = false;
  bool started = false;
  bool released = false;
  bool windowPicked = false;
  bool cutOutActive = false;  // the series dialog is up inside the cut-out

  // --- the window
  bool loaded = false;
  bool Visible = false;
  bool Enabled = true;
  std::int16_t WindowState = 0;  // 2 maximised
  PointerKind MousePointer = PointerKind::Cross;
  std::int16_t DrawWidth = 1;
  FontChoice font;
  Picture surface;  // the frozen desktop the surface shows (its persistent picture)
  ShapeControl shpBox;
  ShapeControl shpCircle;
  LineControl Line0;
  LineControl Line1;
  LineControl Line2;
  LineControl Line3;
  LineControl Line4;
  PictureControl picVariLineDraw;
  LabelControl lblAlert;
  FormTimer Timer1;
  FrmBoard frmBoard;
  FrmPointer frmPointer;

  // --- CaptureSurfaceLink
  bool IsLoaded() const override { return loaded; }
  bool IsShowing() const override;
  void Load() override;
  void Show() override;
  void Unload() override;
  void UnloadCompanions() override;

  // --- life cycle (frm_main.cpp)
  void Form_Load();
  void SetCaptions();
  void CaptureScreen();
  bool ScreenSizeLooksRight();
  void PlaceAlert(bool show);
  // The margin picBoard2 has round the screen: the wider one when the freehand or template masks
  // need white round the whole desktop.
  std::int32_t Board2Margin() const;
  // The surface became the active window among the program's own windows.
  void Form_Activate();
  void Timer1_Timer();
  void EndCapture();
  // Right button or Esc.
  void CancelCapture();
  void SetMousePointer(PointerKind kind);

  // --- the z-order of the capture's own windows: topmost while the user marks, stepped back
  // behind other windows before a dialog. The surface covers the whole screen; a window that is
  // hidden stays hidden, and the pointer readout never takes the keyboard.
  void PlaceSurface(ZPlace place);
  void PlacePointer(ZPlace place);  // nothing while the readout is not loaded
  void PlaceCaptureWindows(ZPlace place);

  // --- input (selection_input.cpp)
  void KeyDown(std::int16_t keyCode, std::int16_t shift);
  void KeyUp(std::int16_t keyCode, std::int16_t shift);
  void MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void MouseMove(std::int16_t button, std::int16_t shift, std::int32_t x, std::int32_t y);
  void MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  void Form_MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void Form_MouseMove(std::int16_t button, std::int16_t shift);
  void Form_MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  // The double click's second press at (x, y).
  void Form_DblClick(std::int16_t shift, float x, float y);
  void Form_KeyDown(std::int16_t keyCode, std::int16_t shift);
  void Form_KeyUp(std::int16_t keyCode, std::int16_t shift);
  void CommitAtPoint();

  // --- frame tools (frame_tools.cpp)
  void RectangleDrag(std::int32_t x, std::int32_t y);
  void CircleDrag(std::int32_t x, std::int32_t y);
  void FixedFrameFollow(std::int32_t x, std::int32_t y);
  void PrepareFixedFrame();
  void RollFlame(std::int32_t& x, std::int32_t& y);
  void RotationClick(float x, float y);
  // The turned frames of the rotation phase; the cut-out calls them when the phase starts.
  void ShowRotatedRectangle();
  void ShowRotatedCircle();

  // --- freehand outline (freehand.cpp)
  void StartOutline();
  void StrokeSegment(std::int32_t x, std::int32_t y);

  // --- window target (window_target.cpp)
  void PickWindow();
  bool IsCandidateWindow(WindowHandle window) const;
  WindowHandle FindActiveWindow();
  void CaptureActiveWindow();

  // --- readout (pointer_readout.cpp); the cut-out calls it when the rotation phase starts
  void UpdateReadout();

  // A failure raised into an event procedure: stop the timer, report it, end the capture.
  void ReportFailure(std::string_view procedure, const std::exception& failure);

 private:
  // Marks a hand-over running for as long as it lives, so that a timer tick or a click that
  // arrives inside its dialogs and message boxes does not start another; gives the hand-over.
  // Raises RunTimeError 91 when the composition gave the surface none.
  class HandOverScope {
   public:
    explicit HandOverScope(FrmMain& form);
    ~HandOverScope();
    HandOverScope(const HandOverScope&) = delete;
    HandOverScope& operator=(const HandOverScope&) = delete;
    HandOver* operator->() const { return &handOver_; }

   private:
    FrmMain& form_;
    HandOver& handOver_;
  };

  void ResetState();
  // Runs the hand-over of a released region (timer and active-window capture).
  void HandOverRegion();
  void SeriesStep();
  void SizeBuffers();

  bool buffersSized_ = false;  // the buffers are sized once per capture
  bool handingOver_ = false;   // a hand-over runs (HandOverScope)
  float seriesAngle_ = 0.0f;   // the series' own angle, never snapped
};

}  // namespace snapwell
