#include "win32/output_devices_win32.h"

#include <winspool.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "encoders/encoders.h"
#include "win32/text_win32.h"

namespace snapwell::win32 {
namespace {

// Pixel rows top-down and packed, as a 32-bit DIB with a negative height describes them.
std::vector<std::uint32_t> PackedRows(const Picture& picture) {
  const vell::ConstPixelView view = picture.View();
  std::vector<std::uint32_t> rows(static_cast<std::size_t>(view.width) * view.height);
  for (int y = 0; y < view.height; ++y) {
    std::memcpy(rows.data() + static_cast<std::size_t>(y) * view.width, view.Row(y),
                static_cast<std::size_t>(view.width) * sizeof(std::uint32_t));
  }
  return rows;
}

BITMAPINFOHEADER HeaderFor(int width, int height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  return header;
}

// A CF_DIB block: header and bottom-up rows, which every reader of the clipboard understands.
HGLOBAL MakeDib(const Picture& picture) {
  const vell::ConstPixelView view = picture.View();
  const SIZE_T rowBytes = static_cast<SIZE_T>(view.width) * 4;
  const SIZE_T bytes = sizeof(BITMAPINFOHEADER) + rowBytes * view.height;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return nullptr;
  auto* block = static_cast<unsigned char*>(GlobalLock(memory));
  if (block == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  BITMAPINFOHEADER header = HeaderFor(view.width, view.height);
  header.biSizeImage = static_cast<DWORD>(rowBytes * view.height);
  std::memcpy(block, &header, sizeof header);
  unsigned char* rows = block + sizeof header;
  for (int y = 0; y < view.height; ++y) {
    std::memcpy(rows + rowBytes * (view.height - 1 - y), view.Row(y), rowBytes);
  }
  GlobalUnlock(memory);
  return memory;
}

HBITMAP MakeBitmap(const Picture& picture) {
  const std::vector<std::uint32_t> rows = PackedRows(picture);
  BITMAPINFO info{};
  info.bmiHeader = HeaderFor(picture.Width(), -picture.Height());
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, rows.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

// The picture as a PNG file's bytes in movable memory, for the registered "PNG" format that
// browsers, chat and office programs paste without loss. Encoded through a temporary file by
// the program's own PNG writer; null when that fails (the bitmap formats still carry it).
HGLOBAL MakePng(const Picture& picture, const std::string& folder) {
  wchar_t path[MAX_PATH + 1] = {};
  if (folder.empty() || GetTempFileNameW(Widen(folder).c_str(), L"swc", 0, path) == 0) return nullptr;
  const std::string narrow = Narrow(path);
  std::vector<char> bytes;
  if (vell::WritePng(narrow.c_str(), picture.View())) {
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  DeleteFileW(path);
  if (bytes.empty()) return nullptr;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (memory == nullptr) return nullptr;
  void* block = GlobalLock(memory);
  if (block == nullptr) {
    GlobalFree(memory);
    return nullptr;
  }
  std::memcpy(block, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  return memory;
}

}  // namespace

Win32OutputDevices::~Win32OutputDevices() {
  AbortPrintDocument();
  if (owner_ != nullptr) DestroyWindow(owner_);
}

HWND Win32OutputDevices::ClipboardOwner() {
  if (owner_ == nullptr) {
    owner_ = CreateWindowExW(0, L"STATIC", L"Snapwell clipboard", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  }
  return owner_;
}

namespace {

// The three forms of one picture until the clipboard takes them; what it did not take is freed.
struct Win32ClipboardContent : ClipboardContent {
  Win32ClipboardContent() = default;
  Win32ClipboardContent(const Win32ClipboardContent&) = delete;
  Win32ClipboardContent& operator=(const Win32ClipboardContent&) = delete;
  ~Win32ClipboardContent() override {
    if (dib != nullptr) GlobalFree(dib);
    if (bitmap != nullptr) DeleteObject(bitmap);
    if (png != nullptr) GlobalFree(png);
  }
  HGLOBAL dib = nullptr;
  HBITMAP bitmap = nullptr;
  HGLOBAL png = nullptr;
  UINT pngFormat = 0;
};

}  // namespace

std::unique_ptr<ClipboardContent> Win32OutputDevices::MakeClipboardContent(const Picture& picture) {
  if (picture.Empty()) return nullptr;
  auto content = std::make_unique<Win32ClipboardContent>();
  content->dib = MakeDib(picture);
  if (content->dib == nullptr) return nullptr;
  content->bitmap = MakeBitmap(picture);
  content->pngFormat = RegisterClipboardFormatW(L"PNG");
  if (content->pngFormat != 0) content->png = MakePng(picture, TemporaryFolder());
  return content;
}

ClipboardResult Win32OutputDevices::PlaceOnClipboard(ClipboardContent& placed) {
  auto& content = static_cast<Win32ClipboardContent&>(placed);
  HWND owner = ClipboardOwner();
  if (owner == nullptr || content.dib == nullptr) return ClipboardResult::Failed;
  if (OpenClipboard(owner) == FALSE) return ClipboardResult::Busy;
  bool done = EmptyClipboard() != FALSE && SetClipboardData(CF_DIB, content.dib) != nullptr;
  if (done) {
    content.dib = nullptr;  // the clipboard owns what it took
    // The device-dependent bitmap as well, for readers that ask for format 2 only.
    if (content.bitmap != nullptr && SetClipboardData(CF_BITMAP, content.bitmap) != nullptr)
      content.bitmap = nullptr;
    if (content.png != nullptr && SetClipboardData(content.pngFormat, content.png) != nullptr)
      content.png = nullptr;
  }
  CloseClipboard();
  return done ? ClipboardResult::Done : ClipboardResult::Failed;
}

bool Win32OutputDevices::StartPrintDocument(std::string_view name) {
  AbortPrintDocument();
  DWORD length = 0;
  GetDefaultPrinterW(nullptr, &length);
  if (length == 0) return false;
  std::wstring printer(length, L'\0');
  if (!GetDefaultPrinterW(printer.data(), &length)) return false;
  printer.resize(wcslen(printer.c_str()));
  printer_ = CreateDCW(L"WINSPOOL", printer.c_str(), nullptr, nullptr);
  if (printer_ == nullptr) return false;
  const std::wstring title = Widen(name);
  DOCINFOW doc{};
  doc.cbSize = sizeof doc;
  doc.lpszDocName = title.c_str();
  if (StartDocW(printer_, &doc) <= 0) {
    DeleteDC(printer_);
    printer_ = nullptr;
    return false;
  }
  return true;
}

bool Win32OutputDevices::DrawPrintPicture(const Picture& picture, int x, int y) {
  if (printer_ == nullptr || picture.Empty()) return false;
  if (!pageOpen_) {
    if (StartPage(printer_) <= 0) return false;
    pageOpen_ = true;
  }
  // The picture's own size, from screen pixels to printer dots.
  HDC screen = GetDC(nullptr);
  const int screenDpiX = GetDeviceCaps(screen, LOGPIXELSX), screenDpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const int width = MulDiv(picture.Width(), GetDeviceCaps(printer_, LOGPIXELSX), screenDpiX);
  const int height = MulDiv(picture.Height(), GetDeviceCaps(printer_, LOGPIXELSY), screenDpiY);
  const std::vector<std::uint32_t> rows = PackedRows(picture);
  BITMAPINFO info{};
  info.bmiHeader = HeaderFor(picture.Width(), -picture.Height());
  return StretchDIBits(printer_, x, y, width, height, 0, 0, picture.Width(), picture.Height(), rows.data(),
                       &info, DIB_RGB_COLORS, SRCCOPY) != 0;
}

bool Win32OutputDevices::EndPrintPage() {
  if (printer_ == nullptr || !pageOpen_) return false;
  pageOpen_ = false;
  return EndPage(printer_) > 0;
}

bool Win32OutputDevices::EndPrintDocument() {
  if (printer_ == nullptr || pageOpen_) return false;
  const bool done = EndDoc(printer_) > 0;
  DeleteDC(printer_);
  printer_ = nullptr;
  return done;
}

void Win32OutputDevices::AbortPrintDocument() {
  if (printer_ == nullptr) return;
  AbortDoc(printer_);
  DeleteDC(printer_);
  printer_ = nullptr;
  pageOpen_ = false;
}

std::string Win32OutputDevices::TemporaryFolder() const {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
  if (length == 0 || length > MAX_PATH) return {};
  std::string folder = Narrow(std::wstring_view(buffer, length));
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  return folder;
}

std::optional<std::int64_t> Win32OutputDevices::FileLength(std::string_view path) const {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return std::nullopt;
  return (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string Win32OutputDevices::SystemErrorText(unsigned long code) const {
  wchar_t* buffer = nullptr;
  // Language 0: the thread's, then the user's, then the system's language, then English.
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer != nullptr ? buffer : L"", buffer != nullptr ? length : 0);
  LocalFree(buffer);
  // One line: the system's texts end in a line break and may hold more within.
  for (wchar_t& c : text) {
    if (c == L'\r' || c == L'\n') c = L' ';
  }
  while (!text.empty() && text.back() == L' ')
    text.pop_back();
  return Narrow(text);
}

void Win32OutputDevices::Pause(int milliseconds) {
  Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace snapwell::win32
