// The clipboard (CF_DIB, CF_BITMAP and the registered "PNG", all made before the clipboard is
// opened), the default printer (StartDoc … StretchDIBits … EndDoc) and the temporary folder of
// the user, for the output steps.
#pragma once

#include <windows.h>

#include "platform/output_devices.h"

namespace snapwell::win32 {

class Win32OutputDevices : public OutputDevices {
 public:
  Win32OutputDevices() = default;
  ~Win32OutputDevices() override;
  Win32OutputDevices(const Win32OutputDevices&) = delete;
  Win32OutputDevices& operator=(const Win32OutputDevices&) = delete;

  std::unique_ptr<ClipboardContent> MakeClipboardContent(const Picture& picture) override;
  ClipboardResult PlaceOnClipboard(ClipboardContent& content) override;
  bool StartPrintDocument(std::string_view name) override;
  bool DrawPrintPicture(const Picture& picture, int x, int y) override;
  bool EndPrintPage() override;
  bool EndPrintDocument() override;
  void AbortPrintDocument() override;
  std::string TemporaryFolder() const override;
  std::optional<std::int64_t> FileLength(std::string_view path) const override;
  // FormatMessageW from the system's message table.
  std::string SystemErrorText(unsigned long code) const override;
  void Pause(int milliseconds) override;

 private:
  // The clipboard needs an owner window for SetClipboardData to succeed: a message-only one.
  HWND ClipboardOwner();

  HWND owner_ = nullptr;
  HDC printer_ = nullptr;
  bool pageOpen_ = false;
};

}  // namespace snapwell::win32
