// What the output dialogs and the output set-up read and change of the running program: the
// output settings, the shared output name, the one Save / print set-up dialog, the copies to
// print and the series counters. Every member refers to the program's own value, so a change
// made here is the program's change.
#pragma once

#include <cstdint>

#include "output/file_name.h"
#include "platform/platform.h"
#include "text/texts.h"

namespace snapwell {

struct OutputContext {
  Platform& platform;
  const Texts& texts;
  // Settings, named like their registry values.
  std::int16_t& Outputs;
  std::int16_t& AutoName;
  std::int16_t& DefaultExt;
  float& StartAng;
  float& EndAng;
  float& StepAng;
  std::int16_t& ContOutCulc;
  // Shared values of the run.
  CFileName& FileName;
  CommonDialogState& CommonDialog1;
  std::int32_t& PrintCopies;
  std::int16_t& seriesIndex;
  std::int16_t& seriesTotal;
  bool& seriesCancel;
  const ScreenArea&
      dialogArea;  // the dialogs stand in its middle (system pixels); empty: the primary monitor
};

}  // namespace snapwell
