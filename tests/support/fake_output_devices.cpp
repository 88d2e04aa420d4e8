#include "support/fake_output_devices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace snapwell::testing {

PixelCopy CopyPixels(const Picture& picture) {
  PixelCopy copy{picture.Width(), picture.Height(), {}};
  copy.pixels.resize(static_cast<std::size_t>(copy.width) * copy.height);
  const vell::ConstPixelView view = picture.View();
  for (int y = 0; y < copy.height; ++y) {
    std::memcpy(copy.pixels.data() + static_cast<std::size_t>(y) * copy.width, view.Row(y),
                static_cast<std::size_t>(copy.width) * sizeof(std::uint32_t));
  }
  return copy;
}

namespace {

struct FakeClipboardContent : ClipboardContent {
  PixelCopy picture;
};

}  // namespace

std::unique_ptr<ClipboardContent> FakeOutputDevices::MakeClipboardContent(const Picture& picture) {
  if (clipboardFails) return nullptr;
  ++clipboardContents;
  auto content = std::make_unique<FakeClipboardContent>();
  content->picture = CopyPixels(picture);
  return content;
}

ClipboardResult FakeOutputDevices::PlaceOnClipboard(ClipboardContent& content) {
  ++clipboardAttempts;
  if (clipboardBusyFor != 0) {
    if (clipboardBusyFor > 0) --clipboardBusyFor;
    return ClipboardResult::Busy;
  }
  clipboard = static_cast<FakeClipboardContent&>(content).picture;
  ++clipboardSets;
  return ClipboardResult::Done;
}

bool FakeOutputDevices::StartPrintDocument(std::string_view name) {
  if (noPrinter) return false;
  EXPECT_TRUE(documents.empty() || documents.back().ended || documents.back().aborted)
      << "a document was started inside another";
  documents.push_back({std::string(name), {}, false, false});
  return true;
}

bool FakeOutputDevices::DrawPrintPicture(const Picture& picture, int x, int y) {
  if (documents.empty()) return false;
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_FALSE(pageOpen_) << "two pictures on one page";
  pageOpen_ = true;
  pagePicture_ = CopyPixels(picture);
  return true;
}

bool FakeOutputDevices::EndPrintPage() {
  if (documents.empty() || !pageOpen_) return false;
  documents.back().pages.push_back(pagePicture_);
  pageOpen_ = false;
  return true;
}

bool FakeOutputDevices::EndPrintDocument() {
  if (documents.empty()) return false;
  EXPECT_FALSE(pageOpen_) << "a page was left open";
  documents.back().ended = true;
  return true;
}

void FakeOutputDevices::AbortPrintDocument() {
  pageOpen_ = false;
  if (!documents.empty() && !documents.back().ended) documents.back().aborted = true;
}

std::optional<std::int64_t> FakeOutputDevices::FileLength(std::string_view path) const {
  std::error_code error;
  const auto size = std::filesystem::file_size(std::filesystem::path(std::string(path)), error);
  if (error) return std::nullopt;
  return static_cast<std::int64_t>(size);
}

std::string FakeOutputDevices::SystemErrorText(unsigned long code) const {
  const auto found = systemErrorTexts.find(code);
  return found != systemErrorTexts.end() ? found->second : std::string();
}

}  // namespace snapwell::testing
