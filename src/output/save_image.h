// Writing the finished picture to a file: a name is made sure of (asking for one when there is
// none), numbered or checked for overwriting, and the picture is written in the format its
// extension names. The file is complete or not there at all; when it cannot be written the user
// is told why and may save the picture somewhere else (output/save_rescue.h).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "imaging/imaging.h"
#include "output/file_name.h"
#include "platform/file_system.h"
#include "platform/output_devices.h"
#include "platform/user_interface.h"
#include "raster/picture.h"
#include "text/texts.h"

namespace snapwell {

// What saving asks of the window it runs for (the capture surface).
class SaveImageHost {
 public:
  virtual ~SaveImageHost() = default;
  // Puts the capture surface (when visible) and the pointer window (when it exists) above other
  // windows again, or below them so that a dialog can be seen.
  virtual void PlaceOwnWindows(bool topmost) = 0;
  // The hourglass while writing, the cross afterwards.
  virtual void ShowBusy(bool busy) = 0;
};

struct SaveImageContext {
  CFileName& FileName;          // the shared output name; the Save dialog's choice is stored here
  std::int16_t AutoName = 0;    // 1: number the name instead of asking before overwriting
  std::int16_t DefaultExt = 1;  // ExtensionTable index for names without a known extension
  CommonDialogState& CommonDialog1;
  FileSystem& files;
  UserInterface& ui;
  OutputDevices& devices;
  Imaging& imaging;
  const Texts& texts;
  SaveImageHost& host;
  // In a running series, the name its remaining pictures go under once one of them was saved
  // elsewhere (empty until then: FileName); null outside a series. A rescue sets it.
  CFileName* seriesName = nullptr;
};

enum class SaveOutcome : std::uint8_t {
  Written,     // where it was meant to go, or where the user saved it instead
  NotWritten,  // the user chose not to write (no name, or Cancel instead of overwriting)
  Failed,      // the file could not be written, the user was told why and saved it nowhere else
};

enum class SaveFormat : std::uint8_t { Bmp, Jpeg, Png, Eps, Ppm, Pgm };
// By the lower-cased extension: ".jpg"/".jpeg", ".png", ".eps", ".ppm", ".pgm"; anything else BMP.
SaveFormat FormatOfExtension(std::string_view ext);

// The temporary BMP name of the JPEG path: "_", seven letters a..x from `draw` (0..23 each), ".bmp".
std::string TemporaryBmpName(const std::function<int()>& draw);

SaveOutcome SaveImage(const Picture& picBoard2, SaveImageContext& context);

}  // namespace snapwell
