// The output target dialog, the series dialog and the progress window as real windows, in
// English and Japanese at the DPI the system reports: every control inside the window, no
// caption cut off, the window centred, the pointer put on the default button, and a screenshot
// of each under build/screenshots/ (converted to PNG by scripts/dialog-screenshots).
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "output/bmp_file.h"
#include "win32/desktop_win32.h"
#include "win32/form_view_win32.h"
#include "win32/output_devices_win32.h"
#include "win32/output_dialogs_view_win32.h"
#include "win32/platform_win32.h"
#include "win32/shell_win32.h"
#include "win32/text_win32.h"

namespace snapwell::win32 {
namespace {

void Pump(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  while (GetTickCount() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

// The window as it is on the screen, as a BMP file.
void Screenshot(HWND hwnd, const std::string& name) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  std::memcpy(pixels.data(), bits, pixels.size() * 4);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  const std::string folder = ExecutableFolder() + "..\\screenshots\\";
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  EXPECT_EQ(WriteBmpFile(folder + name + ".bmp", vell::ConstPixelView{pixels.data(), width, height, width}),
            FileError::None);
}

struct Problems {
  std::string text;
};

// Every child inside the client area, and its text (in the dialog font) within its width.
BOOL CALLBACK CheckChild(HWND child, LPARAM param) {
  auto& problems = *reinterpret_cast<Problems*>(param);
  if (!IsWindowVisible(child)) return TRUE;
  HWND parent = GetParent(child);
  RECT client{}, r{};
  GetClientRect(parent, &client);
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 32);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(child)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(child, text.data(), static_cast<int>(text.size()))));
  const std::string name = Narrow(text) + " (" + Narrow(cls) + ")";
  if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom)
    problems.text += name + " outside the window; ";
  const std::wstring kind = cls;
  if (kind == L"Edit" || text.empty()) return TRUE;
  const LONG style = static_cast<LONG>(GetWindowLongPtrW(child, GWL_STYLE));
  const int type = style & BS_TYPEMASK;
  const int dpi = SystemDpi();
  int room = r.right - r.left;
  if (kind == L"Button") {
    const bool box = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                     type == BS_AUTORADIOBUTTON;
    room -= MulDiv(box ? 18 : (type == BS_GROUPBOX ? 14 : 8), dpi, 96);
  }
  HDC dc = GetDC(child);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
  RECT need{0, 0, room, 0};
  DrawTextW(dc, text.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(child, dc);
  if (need.right > room || need.bottom > r.bottom - r.top + MulDiv(2, dpi, 96))
    problems.text += name + " cut off; ";
  return TRUE;
}

class OutputDialogsWindowTest : public ::testing::TestWithParam<Language> {
 protected:
  OutputDialogsWindowTest() {
    app.FileName.SetPath("C:\\Users\\me\\Pictures\\VellOut.png");
    app.settings.Outputs = 7;
    app.settings.StartAng = 0;
    app.settings.EndAng = 270;
    app.settings.StepAng = 90;
    views.messageOwner = &ui.owner;
    desktop.runModal = [this](ModalForm& form) {
      if (!views.RunModal(form)) form.CloseByUser();
    };
  }
  std::string Name(const char* dialog) const {
    return std::string(dialog) + (GetParam() == Language::Japanese ? "-ja-" : "-en-") +
           std::to_string(SystemDpi());
  }
  // Checks the window's layout, takes its screenshot and says where it stands.
  void Look(HWND hwnd, const char* dialog) {
    ASSERT_NE(hwnd, nullptr);
    Pump(400);
    Problems problems;
    EnumChildWindows(hwnd, &CheckChild, reinterpret_cast<LPARAM>(&problems));
    EXPECT_EQ(problems.text, "") << dialog;
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2) << dialog;
    EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 2) << dialog;
    Screenshot(hwnd, Name(dialog));
  }
  // Whether the pointer stands on the control.
  static bool PointerOn(HWND control) {
    POINT p{};
    RECT r{};
    GetCursorPos(&p);
    GetWindowRect(control, &r);
    return PtInRect(&r, p) != FALSE;
  }
  static HWND Child(HWND dialog, const std::string& caption) {
    return FindWindowExW(dialog, nullptr, nullptr, Widen(caption).c_str());
  }

  RegistrySettingsStore store{L"Software\\Snapwell\\OutputDialogsTest"};
  Win32FileSystem files;
  Win32Screen screen;
  Win32UserInterface ui;
  Win32Timers timers;
  Win32Desktop windows;
  Win32Shell desktop;
  Win32OutputDevices output;
  Platform platform{store, files, screen, ui, timers, windows, desktop, output};
  AppContext app{platform, ExecutableFolder(), Texts(GetParam())};
  frmOutDialog outDialog{OutputContextOf(app)};
  frmContOut contOut{OutputContextOf(app)};
  OutputDialogViews views{outDialog, contOut, DialogFont(app.texts)};
};

TEST_P(OutputDialogsWindowTest, DialogsFitTheirTextsStandCentredAndPointAtTheDefaultButton) {
  // The texts of a language are shown on a system of that language (its code page and fonts).
  const bool japaneseSystem = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
  if ((GetParam() == Language::Japanese) != japaneseSystem) GTEST_SKIP() << "another system language";
  app.seriesIndex = 2;
  app.seriesTotal = 5;
  views.onModalShown = [&](HWND hwnd) {
    Look(hwnd, "output-target");
    EXPECT_TRUE(PointerOn(Child(hwnd, outDialog.btnStart.Caption)));
    EXPECT_EQ(ui.owner, hwnd);
    // Printer ticked: the clipboard box is greyed; the folder box takes no typing.
    EXPECT_FALSE(IsWindowEnabled(Child(hwnd, outDialog.chkOutput[0].Caption)));
    EXPECT_EQ(GetWindowLongPtrW(FindWindowExW(hwnd, nullptr, L"Edit", nullptr), GWL_STYLE) & ES_READONLY,
              ES_READONLY);
    outDialog.btnStart_Click();
  };
  EXPECT_TRUE(outDialog.ShowForOutput());
  EXPECT_EQ(app.FileName.FileName(), "VellOut.png");

  views.onModalShown = [&](HWND hwnd) {
    Look(hwnd, "series");
    EXPECT_TRUE(PointerOn(Child(hwnd, contOut.btnRun.Caption)));
    contOut.btnCancel_Click();
  };
  EXPECT_FALSE(contOut.ShowModalDialog());

  views.ShowSeriesProgress(" 1 / 4");
  HWND progress = views.ContOutWindow();
  ASSERT_NE(progress, nullptr);
  EXPECT_NE(GetWindowLongPtrW(progress, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  views.SetProgressText(" 2/ 4");
  Look(progress, "progress");
  HWND box = nullptr;  // the fourth box is the number box
  for (int i = 0; i < 4; ++i)
    box = FindWindowExW(progress, box, L"Edit", nullptr);
  wchar_t text[16] = {};
  GetWindowTextW(box, text, 16);
  EXPECT_STREQ(text, L" 2/ 4");
  views.UnloadProgress();
  EXPECT_EQ(views.ContOutWindow(), nullptr);
}

// The buttons pressed as a user presses them, with the composition's after-event rendering:
// OK must leave the series dialog to its caller, and the progress window's Cancel must end it,
// each from inside the window's own dialog procedure.
TEST_P(OutputDialogsWindowTest, SeriesButtonsPressedInTheirWindowsEndThemCleanly) {
  views.afterEvent = [this] { views.SyncProgress(); };
  const auto press = [](HWND window, const std::string& caption) {
    HWND button = Child(window, caption);
    ASSERT_NE(button, nullptr) << caption;
    SendMessageW(button, BM_CLICK, 0, 0);
  };
  views.onModalShown = [&](HWND hwnd) { press(hwnd, contOut.btnRun.Caption); };
  EXPECT_TRUE(contOut.ShowModalDialog());
  EXPECT_FALSE(app.seriesCancel);

  views.ShowSeriesProgress(" 1/ 4");
  HWND progress = views.ContOutWindow();
  ASSERT_NE(progress, nullptr);
  press(progress, contOut.btnCancel.Caption);
  EXPECT_TRUE(app.seriesCancel);
  EXPECT_EQ(views.ContOutWindow(), nullptr);
  EXPECT_FALSE(IsWindowVisible(progress));
}

INSTANTIATE_TEST_SUITE_P(Languages, OutputDialogsWindowTest,
                         ::testing::Values(Language::English, Language::Japanese));

}  // namespace
}  // namespace snapwell::win32
