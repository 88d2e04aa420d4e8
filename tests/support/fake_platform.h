// A simulated desktop for the tests: in-memory settings store and file system, a fixed
// screen, and message boxes answered from a script.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "support/fake_desktop.h"
#include "support/fake_output_devices.h"
#include "support/fake_shell.h"

namespace snapwell::testing {

// Settings held in a map; every Set and Delete is logged in order.
class FakeSettingsStore : public SettingsStore {
 public:
  std::optional<std::string> Get(std::string_view key) const override;
  bool Set(std::string_view key, std::string_view value) override;
  void Delete(std::string_view key) override;

  std::map<std::string, std::string> values;
  std::vector<std::pair<std::string, std::string>> writes;  // (key, value) in order
  std::vector<std::string> deletes;
  bool readOnly = false;  // Set fails and stores nothing
};

// Files and folders in memory. Names compare without regard to case, as on Windows.
class FakeFileSystem : public FileSystem {
 public:
  FakeFileSystem() { AddFolder(kPictures); }
  // The test's own Pictures folder; it exists from the start.
  static constexpr const char* kPictures = "C:\\Users\\tester\\Pictures\\";

  FileError Probe(std::string_view path) const override;
  FileError DeleteFile(std::string_view path) override;
  std::string PicturesFolder() const override { return picturesFolder; }
  std::vector<std::string> FindFiles(std::string_view pattern) const override;
  std::optional<std::string> ReadFile(std::string_view path, FileError* error) const override;

  void AddFile(const std::string& path, std::string content = {});  // adds its folders too
  void AddFolder(const std::string& path);
  bool HasFile(const std::string& path) const;

  std::map<std::string, std::string> files;  // key: lower-case path
  std::set<std::string> folders;             // lower-case, no trailing backslash
  std::set<std::string> locked;              // lower-case paths that give AccessDenied
  std::set<std::string> badNames;            // lower-case paths that give BadName
  std::string picturesFolder = kPictures;
  std::vector<std::string> deleted;
};

class FakeScreen : public Screen {
 public:
  // One monitor of `size` at (0, 0) unless `monitors` (system pixels) are given.
  ScreenLayout Layout() const override {
    return LayoutOfMonitors(monitors.empty() ? std::vector<ScreenArea>{{0, 0, size.width, size.height}}
                                             : monitors);
  }
  int TwipsPerPixelX() const override { return 15; }
  int TwipsPerPixelY() const override { return 15; }
  ScreenSize size{1920, 1080};
  std::vector<ScreenArea> monitors;
};

struct ShownMessage {
  std::string text;
  std::string title;
  MsgButtons buttons;
  MsgIcon icon;
};

// Answers message boxes in the order scripted; an unscripted box fails the running test.
class FakeUserInterface : public UserInterface {
 public:
  MsgAnswer MessageBox(std::string_view text, std::string_view title, MsgButtons buttons,
                       MsgIcon icon) override;
  void Beep() override { ++beeps; }
  // Answered from saveAnswers / printAnswers (nothing = Cancel); an unscripted dialog fails.
  bool ShowSaveDialog(CommonDialogState& dialog) override;
  bool ShowPrinterDialog(CommonDialogState& dialog) override;

  void Expect(MsgAnswer answer) { answers.push_back(answer); }
  // Runs as each message box or dialog opens.
  std::function<void()> onShow;

  std::deque<std::optional<std::string>> saveAnswers;  // chosen file names
  std::deque<std::optional<int>> printAnswers;         // chosen copies
  std::vector<CommonDialogState> saveDialogsShown;     // the state each dialog opened with
  std::vector<CommonDialogState> printDialogsShown;
  std::deque<MsgAnswer> answers;
  std::vector<ShownMessage> shown;
  int beeps = 0;
};

// A manual clock: timers fire only inside Advance, in the order they fall due.
class FakeTimers : public Timers {
 public:
  TimerId StartTimer(int intervalMs, std::function<void()> tick) override;
  void StopTimer(TimerId id) override;
  // Moves the clock on by ms, firing every tick that falls due on the way (ties: oldest timer).
  void Advance(long long ms);
  // Moves the clock to the next due tick and fires it; false when no timer runs.
  bool TickNext();
  std::size_t Running() const { return timers_.size(); }
  long long now = 0;

 private:
  struct Entry {
    int interval;
    long long due;
    std::function<void()> tick;
  };
  bool FireDue(long long until);
  std::map<TimerId, Entry> timers_;
  TimerId nextId_ = 1;
};

// The whole bundle, ready to hand to the core. Every message box and dialog notes in
// shell.hotkeyWhileModal whether the capture hotkey was registered while it was up.
struct FakePlatform {
  FakePlatform() {
    ui.onShow = [this] { shell.hotkeyWhileModal.push_back(shell.hotkey.has_value()); };
  }
  FakePlatform(const FakePlatform&) = delete;
  FakePlatform& operator=(const FakePlatform&) = delete;

  FakeSettingsStore store;
  FakeFileSystem files;
  FakeScreen screen;
  FakeUserInterface ui;
  FakeTimers timers;
  FakeDesktop desktop;
  FakeShell shell;
  FakeOutputDevices output;
  Platform platform{store, files, screen, ui, timers, desktop, shell, output};
};

}  // namespace snapwell::testing
