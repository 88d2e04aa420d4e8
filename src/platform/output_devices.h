// The shared output facilities of the system: the clipboard and the default printer, plus the
// few file facts the output steps need (the user's temporary folder, a written file's length,
// the system's text for why a file could not be written).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "raster/picture.h"

namespace snapwell {

enum class ClipboardResult : std::uint8_t {
  Done,
  Busy,    // another program holds the clipboard open; trying again later may work
  Failed,  // the picture could not be placed (no memory, no bitmap could be made)
};

// What MakeClipboardContent made, owned by the caller until the clipboard takes it.
class ClipboardContent {
 public:
  virtual ~ClipboardContent() = default;
};

class OutputDevices {
 public:
  virtual ~OutputDevices() = default;

  // --- clipboard
  // The picture in every form the clipboard offers it (a bitmap and more), made once; nothing
  // when it cannot be made.
  virtual std::unique_ptr<ClipboardContent> MakeClipboardContent(const Picture& picture) = 0;
  // Opens the clipboard, empties it, puts the content on it and closes it again. Busy leaves
  // the content whole for the next attempt.
  virtual ClipboardResult PlaceOnClipboard(ClipboardContent& content) = 0;

  // --- the default printer: one document at a time
  // Starts a print job listed under `name`; false when there is no printer or it refuses.
  virtual bool StartPrintDocument(std::string_view name) = 0;
  // Draws the picture at its own size with its top-left corner at (x, y) of the current page
  // (a page is begun when none is open).
  virtual bool DrawPrintPicture(const Picture& picture, int x, int y) = 0;
  // Ends the current page.
  virtual bool EndPrintPage() = 0;
  // Ends the document: the job is sent to the printer.
  virtual bool EndPrintDocument() = 0;
  // Drops the document after a failure; nothing is printed.
  virtual void AbortPrintDocument() = 0;

  // --- files
  // The user's temporary folder, with a trailing separator.
  virtual std::string TemporaryFolder() const = 0;
  // The length of a file in bytes; nothing when it does not exist.
  virtual std::optional<std::int64_t> FileLength(std::string_view path) const = 0;
  // The system's own words for one of its error codes (FileFailure::systemCode), in the user's
  // language, one line without a line break at its end; empty when the system has none.
  virtual std::string SystemErrorText(unsigned long code) const = 0;
  // Waits a short while on the user-interface thread (between clipboard attempts).
  virtual void Pause(int milliseconds) = 0;
};

}  // namespace snapwell
