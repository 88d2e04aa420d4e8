// The transform's half of the hand-over from the capture surface: `CutOutRegion` (cut-out and
// mask, flip, scaling, the start of a rotation phase or a series) and `RotateAndOutput` (the
// output target dialog, the rotation, the clipboard, the file and the printer). Both work on the
// surface's fields and buffers.
#pragma once

#include <cstdint>
#include <string>

#include "capture/frm_main.h"
#include "output/save_image.h"
#include "transform/flip.h"

namespace snapwell {

// The dialogs the transform opens, provided by the composition (their windows come with the shell).
class TransformDialogs {
 public:
  virtual ~TransformDialogs() = default;
  // The series dialog `frmContOut`, modal. OK stores the angles and clears seriesCancel; Cancel
  // (or closing it) sets seriesCancel.
  virtual void ShowSeriesDialog() = 0;
  // `frmContOut` again as the progress window of a running series: inputs disabled but Cancel,
  // topmost, its number box showing `text`.
  virtual void ShowSeriesProgress(const std::string& text) = 0;
  // The output target dialog `frmOutDialog`, modal; true when the user started the output
  // (outputConfirmed); any other way out is false.
  virtual bool ShowOutputDialog() = 0;
  virtual void DisableSettingsDialog() = 0;
};

class Transform : public HandOver, private SaveImageHost {
 public:
  Transform(FrmMain& surface, TransformDialogs& dialogs);

  void CutOutRegion(std::int32_t& endX, std::int32_t& endY, std::int16_t& ok) override;
  void RotateAndOutput() override;

  // The module flag the output target dialog leaves: True when the output was started.
  bool outputConfirmed = false;

 private:
  // SaveImageHost
  void PlaceOwnWindows(bool topmost) override;
  void ShowBusy(bool busy) override;

  // The cut-out by frame style; false when nothing is to be cut out (a zero-size circle).
  void CutOutFreehand(std::int16_t reverseValue);
  bool CutOutCircle(std::int16_t reverseValue);
  void CutOutRectangle(std::int32_t endX, std::int32_t endY, std::int16_t reverseValue);
  // picBoard2 large enough for the masks' offsets.
  void PrepareBuffers();
  void StartSeries();

  FrmMain& m_;
  TransformDialogs& dialogs_;
  // Where the rest of the running series goes after one of its pictures was saved elsewhere.
  CFileName seriesOutputName_;
};

}  // namespace snapwell
