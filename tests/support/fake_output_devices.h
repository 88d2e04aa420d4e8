// A clipboard that keeps the last picture put on it, a printer that records its documents and
// pages, and the few file facts of the outputs, read from the real disk (the encoders write there).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/output_devices.h"
#include "raster/picture.h"

namespace snapwell::testing {

// A copy of a picture's pixels, rows top-down.
struct PixelCopy {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
PixelCopy CopyPixels(const Picture& picture);

struct PrintedDocument {
  std::string name;
  std::vector<PixelCopy> pages;  // one picture per page, as drawn at (0, 0)
  bool ended = false;
  bool aborted = false;
};

class FakeOutputDevices : public OutputDevices {
 public:
  std::unique_ptr<ClipboardContent> MakeClipboardContent(const Picture& picture) override;
  ClipboardResult PlaceOnClipboard(ClipboardContent& content) override;
  bool StartPrintDocument(std::string_view name) override;
  bool DrawPrintPicture(const Picture& picture, int x, int y) override;
  bool EndPrintPage() override;
  bool EndPrintDocument() override;
  void AbortPrintDocument() override;
  std::string TemporaryFolder() const override { return temporaryFolder; }
  std::optional<std::int64_t> FileLength(std::string_view path) const override;
  std::string SystemErrorText(unsigned long code) const override;
  void Pause(int milliseconds) override { paused += milliseconds; }

  // --- clipboard
  std::optional<PixelCopy> clipboard;  // what it holds
  int clipboardContents = 0;           // contents made from a picture
  int clipboardSets = 0;               // successful puts
  int clipboardBusyFor = 0;            // this many more attempts answer Busy (-1: always)
  bool clipboardFails = false;         // no content can be made
  int clipboardAttempts = 0;           // attempts to place a content
  // --- printer
  bool noPrinter = false;
  std::vector<PrintedDocument> documents;
  // --- files
  std::string temporaryFolder;
  std::map<unsigned long, std::string> systemErrorTexts;  // the system's words; none for other codes
  long long paused = 0;

 private:
  bool pageOpen_ = false;
  PixelCopy pagePicture_;
};

}  // namespace snapwell::testing
