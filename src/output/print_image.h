// The clipboard and printer outputs (the picture put on the clipboard, with a bounded wait for a
// clipboard another program holds; the picture printed, one page a copy), the printer set-up of
// the shared dialog, and the check that some output target is chosen at all.
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

// Print set-up: no print-to-file box, no page ranges, no selection.
inline constexpr long kPrintSetupFlags = 0x10000C;
// What the shared dialog keeps for the Save dialog after a print set-up: no read-only box, no
// read-only files, long file names.
inline constexpr long kSaveAfterPrintFlags = 0x208004;

// Empties the clipboard and puts the picture on it. The clipboard's content is made once; only
// placing it is tried again while another program holds the clipboard. On failure the user is
// told (in use by another program, or not possible at all) and false comes back.
bool CopyToClipboard(const Picture& picture, OutputDevices& devices, UserInterface& ui, const Texts& texts);

// Prints `copies` pages, each the picture at the page's top-left corner at its own size, under
// the document name; each page is ended, and the document after the last one (no page for
// copies <= 0). The clipboard is neither read nor written. On failure the document is dropped,
// the user is told, and false comes back.
bool PrintImage(const Picture& picture, OutputDevices& devices, std::int32_t copies,
                std::string_view documentName, UserInterface& ui, const Texts& texts);

// The printer set-up of the shared dialog, shown with the copies the dialog holds: on OK the
// chosen copies become printCopies and the dialog keeps the Save flags from then on; a cancel
// changes nothing. True on OK.
bool PrinterSetup(CommonDialogState& dialog, std::int32_t& printCopies, UserInterface& ui);

// False, after the warning "No output Target is specified.", when `outputs` chooses no target.
bool CheckOutputTarget(std::int16_t outputs, UserInterface& ui, const Texts& texts);

}  // namespace snapwell
