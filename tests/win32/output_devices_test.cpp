// The clipboard of the real platform under Wine: the content is made once and survives attempts
// while another program holds the clipboard open; once free, one attempt puts every form on it.
#include "win32/output_devices_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <thread>

namespace snapwell::win32 {
namespace {

// Another program's hold on the clipboard: a thread of its own opens it and keeps it open until
// Release.
class ClipboardHolder {
 public:
  ClipboardHolder() {
    holder_ = std::thread([this] {
      opened_ = OpenClipboard(nullptr) != FALSE;
      SetEvent(held_);
      WaitForSingleObject(release_, 10000);
      if (opened_) CloseClipboard();
    });
    WaitForSingleObject(held_, 10000);
  }
  ClipboardHolder(const ClipboardHolder&) = delete;
  ClipboardHolder& operator=(const ClipboardHolder&) = delete;
  ~ClipboardHolder() { Release(); }
  bool Holds() const { return opened_; }
  void Release() {
    SetEvent(release_);
    if (holder_.joinable()) holder_.join();
  }

 private:
  HANDLE held_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool opened_ = false;
  std::thread holder_;
};

TEST(Win32Clipboard, ContentMadeOnceIsPlacedOnceTheClipboardIsFree) {
  Picture picture(3, 2);
  picture.SetPixel(0, 0, 0xC81E0A);
  picture.SetPixel(2, 1, 0x0A28DC);
  Win32OutputDevices devices;
  const std::unique_ptr<ClipboardContent> content = devices.MakeClipboardContent(picture);
  ASSERT_NE(content, nullptr);

  ClipboardHolder holder;
  ASSERT_TRUE(holder.Holds());
  EXPECT_EQ(devices.PlaceOnClipboard(*content), ClipboardResult::Busy);
  EXPECT_EQ(devices.PlaceOnClipboard(*content), ClipboardResult::Busy);
  holder.Release();
  ASSERT_EQ(devices.PlaceOnClipboard(*content), ClipboardResult::Done);

  ASSERT_TRUE(OpenClipboard(nullptr));
  EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));
  EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatW(L"PNG")));
  HANDLE dib = GetClipboardData(CF_DIB);
  ASSERT_NE(dib, nullptr);
  const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->biWidth, 3);
  EXPECT_EQ(header->biHeight, 2);  // bottom-up rows
  std::uint32_t rows[6] = {};
  std::memcpy(rows, reinterpret_cast<const unsigned char*>(header) + header->biSize, sizeof rows);
  GlobalUnlock(dib);
  CloseClipboard();
  EXPECT_EQ(rows[0] & 0xFFFFFF, 0xFFFFFFu);  // bottom row, left: white
  EXPECT_EQ(rows[2] & 0xFFFFFF, 0x0A28DCu);
  EXPECT_EQ(rows[3] & 0xFFFFFF, 0xC81E0Au);  // top row, left
}

// The reason of a file failure the program has no text of its own for: the system's words, on
// one line; nothing for a code the system does not know.
TEST(Win32SystemErrorText, TheSystemsOwnWordsOnOneLine) {
  const Win32OutputDevices devices;
  // Windows' wording and Wine's; without the line break the system's texts end in.
  const std::string notReady = devices.SystemErrorText(ERROR_NOT_READY);
  EXPECT_TRUE(notReady == "The device is not ready." || notReady == "Not ready.") << notReady;
  const std::string writeFault = devices.SystemErrorText(ERROR_WRITE_FAULT);
  EXPECT_TRUE(writeFault == "The system cannot write to the specified device." ||
              writeFault == "Write fault.")
      << writeFault;
  EXPECT_EQ(devices.SystemErrorText(0x2FFFFFFF), "");
}

}  // namespace
}  // namespace snapwell::win32
