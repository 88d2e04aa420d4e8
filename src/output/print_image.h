// The clipboard and printer outputs: the picture put on the clipboard with a bounded wait for a
// clipboard another program holds, and the printing of the clipboard's picture, one page a copy.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/output_devices.h"
#include "platform/user_interface.h"
#include "raster/picture.h"
#include "text/texts.h"

namespace snapwell {

// Text ids of the clipboard and printer failures.
inline constexpr int kTextClipboardBusy = 296;
inline constexpr int kTextClipboardFailed = 297;
inline constexpr int kTextPrintFailed = 298;
inline constexpr int kTextPrintHint = 299;

// A clipboard another program holds is tried again for about two seconds in all.
inline constexpr int kClipboardAttempts = 40;
inline constexpr int kClipboardPauseMs = 50;

// Empties the clipboard and puts the picture on it. On failure the user is told (in use by another
// program, or not possible at all) and false comes back.
bool CopyToClipboard(const Picture& picture, OutputDevices& devices, UserInterface& ui, const Texts& texts);

// Prints `copies` pages, each the clipboard's picture at the page's top-left corner at its own
// size, under the document name; each page is ended, and the document after the last one (no
// page for copies <= 0). With `direct`, that picture is printed instead of the clipboard's (the
// clipboard step failed, so the clipboard holds something else). On failure the document is
// dropped, the user is told, and false comes back.
bool PrintImage(OutputDevices& devices, std::int32_t copies, std::string_view documentName,
                const Picture* direct, UserInterface& ui, const Texts& texts);

}  // namespace snapwell
