// The shell's forms through the fake platform: start-up by residence, the close box, the
// countdown, capture requests from every channel, the dialog's checks and its menus.
#include <gtest/gtest.h>

#include "app/app_shell.h"
#include "support/fake_platform.h"

namespace snapwell {
namespace {

// The capture surface as the shell sees it: loads and shows are only counted.
struct FakeSurface : CaptureSurfaceLink {
  bool IsLoaded() const override { return loaded; }
  bool IsShowing() const override { return showing; }
  void Load() override { loaded = true; }
  void Show() override {
    showing = true;
    ++shows;
  }
  void Unload() override { loaded = showing = false; }
  void UnloadCompanions() override {}
  bool loaded = false;
  bool showing = false;
  int shows = 0;
};

class ShellTest : public ::testing::Test {
 protected:
  ShellTest() { fake.files.AddFile("C:\\Snapwell\\default.vol", "\"Heart\",\"heart.vod\"\r\n"); }
  void Store(std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [key, value] : values)
      fake.store.values[key] = value;
  }
  void Start() {
    shell.StartUp();
    fake.store.writes.clear();
  }
  std::string Stored(const char* key) { return fake.store.Get(key).value_or("(missing)"); }

  testing::FakePlatform fake;
  AppContext app{fake.platform, "C:\\Snapwell"};
  FakeSurface surface;
  AppShell shell{app, surface};
  frmSetting& dialog = shell.setting;
};

TEST_F(ShellTest, FirstRunOpensTheCentredDialogWithTrayIconAndHotkeyAndStoresOnlyTheFirstRunKeys) {
  shell.StartUp();
  EXPECT_TRUE(dialog.window.Visible);
  EXPECT_EQ(dialog.window.State, WindowState::Normal);
  EXPECT_EQ(dialog.window.Left, 11610);  // (1920 * 15 - 5580) \ 2
  EXPECT_EQ(dialog.window.Top, 4477);    // (1080 * 15 - 7245) \ 2
  EXPECT_TRUE(fake.shell.trayIcon);
  EXPECT_EQ(fake.shell.tip, "Snapwell (Window - Whole)");
  EXPECT_EQ(fake.shell.hotkey, std::make_pair(2, 109));
  std::string keys;
  for (const auto& [key, value] : fake.store.values)
    keys += key + "=" + value + " ";
  EXPECT_EQ(keys,
            "AppearWindow=0 CurrentVersion=4.5 DefaultExt=1 EndAng=0 EnlargeColorControl=1 EnlargeValue=1 "
            "FreehandLineWidth=2 "
            "ReductColorControl=1 RollColorControl=1 StartAng=0 StepAng=90 WhereStay=0 ");
}

TEST_F(ShellTest, StartUpShowsWhatTheResidenceAsksFor) {
  struct Case {
    const char* whereStay;
    const char* appearWindow;
    bool visible, trayIcon, hotkey, appearEnabled;
    const char* storedAppear;
  };
  const Case cases[] = {
      {"0", "1", false, true, true, true, "1"},    // tray only
      {"1", "0", true, false, false, true, "0"},   // taskbar
      {"2", "1", true, false, false, false, "0"},  // not resident: "Open" forced and greyed
  };
  for (const Case& c : cases) {
    testing::FakePlatform f;
    f.files.AddFile("C:\\Snapwell\\default.vol");
    f.store.values = {{"WhereStay", c.whereStay}, {"AppearWindow", c.appearWindow}};
    AppContext a(f.platform, "C:\\Snapwell");
    FakeSurface s;
    AppShell sh(a, s);
    sh.StartUp();
    SCOPED_TRACE(c.whereStay);
    EXPECT_EQ(sh.setting.window.Visible, c.visible);
    EXPECT_EQ(f.shell.trayIcon, c.trayIcon);
    EXPECT_EQ(f.shell.hotkey.has_value(), c.hotkey);
    EXPECT_EQ(sh.setting.optAppearWindow[0].Enabled, c.appearEnabled);
    EXPECT_EQ(f.store.values["AppearWindow"], c.storedAppear);
  }
}

TEST_F(ShellTest, CloseBoxHidesMinimisesOrQuitsByResidence) {
  struct Case {
    const char* whereStay;
    WindowState state;
    bool cancelled, visible, ended;
    WindowState after;
  };
  const Case cases[] = {
      {"0", WindowState::Normal, true, false, false, WindowState::Normal},
      {"1", WindowState::Normal, true, true, false, WindowState::Minimized},
      {"1", WindowState::Minimized, false, false, true, WindowState::Minimized},
      {"2", WindowState::Normal, false, false, true, WindowState::Normal},
  };
  for (const Case& c : cases) {
    testing::FakePlatform f;
    f.files.AddFile("C:\\Snapwell\\default.vol");
    f.store.values = {{"WhereStay", c.whereStay}};
    AppContext a(f.platform, "C:\\Snapwell");
    FakeSurface s;
    AppShell sh(a, s);
    sh.StartUp();
    sh.setting.window.State = c.state;
    SCOPED_TRACE(std::string(c.whereStay) + (c.state == WindowState::Minimized ? " minimised" : ""));
    EXPECT_EQ(sh.setting.Form_QueryUnload(), c.cancelled);
    EXPECT_EQ(sh.setting.window.Visible, c.visible);
    EXPECT_EQ(sh.setting.window.State, c.after);
    EXPECT_EQ(sh.Ended(), c.ended);
    EXPECT_FALSE(f.shell.trayIcon && c.ended);
  }
}

TEST_F(ShellTest, CountdownShowsTheWaitingTextsThenCaptures) {
  Store({{"CopyTimer", "1"}, {"CopyTime", "1"}});
  Start();
  dialog.btnStart_Click();
  EXPECT_FALSE(dialog.window.Enabled);
  EXPECT_FALSE(shell.tray.mnuPopup.Enabled);
  std::vector<std::string> captions;
  for (int tick = 0; tick < 3; ++tick) {
    fake.timers.Advance(246);
    captions.push_back(dialog.window.Caption);
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"Waiting : 0.3sec", "Waiting : 0.5sec", "Waiting : 0.8sec"}));
  EXPECT_EQ(shell.tray.mnuWait.Caption, "Waiting : 0.8sec");
  EXPECT_EQ(fake.shell.tip, "Waiting : 0.8sec (Window - Whole)");
  EXPECT_EQ(surface.shows, 0);
  fake.timers.Advance(246);
  EXPECT_EQ(surface.shows, 1);
  EXPECT_EQ(dialog.window.Caption, "Snapwell");
  EXPECT_EQ(fake.ui.beeps, 1);
  EXPECT_EQ(fake.timers.Running(), 0u);
}

TEST_F(ShellTest, NowCaptureAndQuitWaitingEndTheCountdownAtTheNextTick) {
  Store({{"CopyTimer", "1"}, {"CopyTime", "0.3"}});
  Start();
  dialog.btnStart_Click();
  fake.timers.Advance(246);
  EXPECT_EQ(dialog.window.Caption, "Waiting : 0.3sec");
  fake.timers.Advance(246);  // limit 30: the second tick captures
  EXPECT_EQ(surface.shows, 1);

  surface.Unload();
  app.showPointer = false;
  fake.store.values["CopyTime"] = "60";
  dialog.btnReset_Click();
  dialog.btnStart_Click();
  fake.shell.menuAnswers = {frmTrayIcon::kNowCapture};
  shell.tray.TrayWindowProc(kTrayCallbackMessage, 0, kRightButtonDown);  // the waiting menu
  EXPECT_EQ(fake.shell.menusShown.back().front().text, "Waiting");
  fake.timers.Advance(1);
  EXPECT_EQ(surface.shows, 2);
  dialog.NowCapture();  // the countdown is over: nothing
  EXPECT_EQ(fake.timers.Running(), 0u);

  surface.Unload();
  app.showPointer = false;
  dialog.btnStart_Click();
  fake.timers.Advance(246);
  dialog.QuitTimer();
  fake.timers.Advance(1);
  EXPECT_EQ(surface.shows, 2);
  EXPECT_EQ(dialog.window.Caption, "Snapwell");
  EXPECT_FALSE(app.showPointer);
  EXPECT_EQ(fake.ui.beeps, 3);
}

TEST_F(ShellTest, HotkeyAndTrayClicksAreIgnoredWhileMarkingOrCounting) {
  Store({{"AppearWindow", "1"}, {"CopyTimer", "1"}, {"CopyTime", "5"}});
  Start();
  app.SelectionInProgress = true;
  shell.tray.TrayWindowProc(kHotkeyMessage, kCaptureHotkeyId, 0);
  shell.tray.TrayWindowProc(kTrayCallbackMessage, 0, kLeftButtonDown);
  EXPECT_FALSE(dialog.Counting());
  app.SelectionInProgress = false;
  shell.tray.TrayWindowProc(kHotkeyMessage, kCaptureHotkeyId, 0);
  EXPECT_TRUE(dialog.Counting());
  EXPECT_TRUE(app.skipSecondGrab);
  fake.timers.Advance(246);
  shell.tray.TrayWindowProc(kHotkeyMessage, kCaptureHotkeyId, 0);  // counting: ignored
  EXPECT_EQ(dialog.WaitElapsed, 25);
}

TEST_F(ShellTest, TrayClickCapturesThroughTheHelperOrJumpsOntoTheOpenDialogsCaptureButton) {
  Store({{"AppearWindow", "1"}});
  Start();
  shell.tray.TrayWindowProc(kTrayCallbackMessage, 0, kLeftButtonDown);
  EXPECT_FALSE(dialog.window.Visible);
  EXPECT_FALSE(shell.tray.mnuPopup.Enabled);
  fake.timers.Advance(1);
  EXPECT_EQ(surface.shows, 1);
  EXPECT_TRUE(shell.tray.mnuPopup.Enabled);
  EXPECT_TRUE(app.showPointer);

  dialog.window.Visible = true;
  dialog.window.Left = 1500;
  dialog.window.Top = 3000;
  dialog.btnStart.Left = 20;
  dialog.btnStart.Top = 300;
  shell.tray.TrayWindowProc(kTrayCallbackMessage, 0, kRightButtonDown);
  EXPECT_EQ(fake.shell.cursor, std::make_pair(100 + 20 + 48, 200 + 300 + 86));
}

TEST_F(ShellTest, CaptureWithoutOutputTargetOnlyWarns) {
  Store({{"Outputs", "0"}});
  Start();
  fake.ui.Expect(MsgAnswer::Ok);
  shell.tray.TrayWindowProc(kHotkeyMessage, kCaptureHotkeyId, 0);
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].text, "No output Target is specified.");
  EXPECT_EQ(fake.ui.shown[0].title, "Warning!");
  EXPECT_FALSE(app.showPointer);
  EXPECT_FALSE(app.skipSecondGrab);
  EXPECT_EQ(fake.shell.hotkeyLog.back(), "register 2 109");
}

TEST_F(ShellTest, LeavingATextBoxCorrectsItsValue) {
  Start();
  enum Box { Roll, Enlarge, CopyTime, FFX, FFY };
  const auto leave = [&](Box box) -> Control& {
    switch (box) {
      case Roll:
        dialog.txtRoll_LostFocus();
        return dialog.txtRoll;
      case Enlarge:
        dialog.txtEnlarge_LostFocus();
        return dialog.txtEnlarge;
      case CopyTime:
        dialog.txtCopyTime_LostFocus();
        return dialog.txtCopyTime;
      case FFX:
        dialog.txtFFX_LostFocus();
        return dialog.txtFFX;
      default:
        dialog.txtFFY_LostFocus();
        return dialog.txtFFY;
    }
  };
  Control* boxes[] = {&dialog.txtRoll, &dialog.txtEnlarge, &dialog.txtCopyTime, &dialog.txtFFX,
                      &dialog.txtFFY};
  struct Case {
    Box box;
    const char* typed;
    const char* shown;
  };
  const Case cases[] = {
      {Roll, "540", "180"},      {Roll, "270", "-90"}, {Roll, "-270", "90"},      {Roll, "-800", "-80"},
      {Enlarge, "7000", "6400"}, {Enlarge, "0", "1"},  {CopyTime, "abc", "0.25"}, {CopyTime, "4000", "3600"},
      {FFX, "2500", "1920"},     {FFY, "-3", "1"},
  };
  for (const Case& c : cases) {
    dialog.SetText(*boxes[c.box], c.typed);
    EXPECT_EQ(leave(c.box).Caption, c.shown) << c.typed;
  }
  EXPECT_EQ(app.settings.DefRoll, -80.0f);
  dialog.SetText(dialog.txtEnlarge, "-250");  // typing already sets the scale
  EXPECT_EQ(app.settings.EnlargeValue, 2.5f);
}

TEST_F(ShellTest, PrinterBoxChecksAndGreysTheClipboardAndFileBoxRulesAutoName) {
  Start();
  dialog.SetCheck(dialog.chkOutput[2], 1, 2, &frmSetting::chkOutput_Click);
  EXPECT_EQ(app.settings.Outputs, 5);
  EXPECT_EQ(dialog.chkOutput[0].Value, 1);
  EXPECT_FALSE(dialog.chkOutput[0].Enabled);
  EXPECT_FALSE(dialog.chkAutoName.Enabled);
  dialog.SetCheck(dialog.chkOutput[1], 1, 1, &frmSetting::chkOutput_Click);
  dialog.SetCheck(dialog.chkAutoName, 1, &frmSetting::chkAutoName_Click);
  dialog.SetCheck(dialog.chkOutput[1], 0, 1, &frmSetting::chkOutput_Click);
  EXPECT_EQ(dialog.chkAutoName.Value, 0);
  EXPECT_FALSE(dialog.chkAutoName.Enabled);
  EXPECT_EQ(app.settings.AutoName, 0);
  EXPECT_TRUE(fake.store.writes.empty());  // Main page values wait for "Save Main settings"
}

TEST_F(ShellTest, SaveMainSettingsWritesOnlyOnYesAndReregistersTheHotkey) {
  Start();
  dialog.Select(dialog.optFlame, 0, &frmSetting::optFlame_Click);
  fake.ui.Expect(MsgAnswer::No);
  dialog.mnuSaveSetting_Click();
  EXPECT_TRUE(fake.store.writes.empty());
  EXPECT_EQ(fake.ui.shown.back().title, "Save Main settings");
  EXPECT_EQ(fake.shell.hotkeyLog.back(), "register 2 109");
  fake.ui.Expect(MsgAnswer::Yes);
  dialog.mnuSaveSetting2_Click();
  EXPECT_EQ(Stored("FlameStyle"), "0");
  EXPECT_EQ(fake.store.writes.size(), 31u);
}

TEST_F(ShellTest, ResidenceChangesActAndAreStoredAtOnce) {
  Start();
  dialog.Select(dialog.optWhereStay, 1, &frmSetting::optWhereStay_Click);
  EXPECT_FALSE(fake.shell.trayIcon);
  EXPECT_FALSE(fake.shell.hotkey);
  EXPECT_FALSE(dialog.btnHotKeySetting.Enabled);
  EXPECT_EQ(Stored("WhereStay"), "1");
  dialog.Select(dialog.optWhereStay, 0, &frmSetting::optWhereStay_Click);
  EXPECT_TRUE(fake.shell.trayIcon);
  EXPECT_TRUE(fake.shell.hotkey);
  EXPECT_EQ(Stored("WhereStay"), "0");
}

TEST_F(ShellTest, HotkeyDialogStoresTheNewChoiceOnlyInTrayResidence) {
  Start();
  fake.shell.modalScript.push_back([&](ModalForm&) {
    EXPECT_EQ(shell.hotkeyDialog.lblHotKey.Caption, "Ctrl + [ - ]");
    EXPECT_FALSE(fake.shell.hotkey);    // unregistered while the dialog is open
    shell.hotkeyDialog.KeyDown(65, 0);  // A alone: not accepted
    shell.hotkeyDialog.KeyDown(46, 0);
    EXPECT_EQ(shell.hotkeyDialog.lblHotKey.Caption, "(No hotkey)");
    shell.hotkeyDialog.btnOK_Click();
  });
  dialog.btnHotKeySetting_Click();
  EXPECT_EQ(Stored("HotKeyEnabled"), "False");
  EXPECT_EQ(Stored("HotKeyKeyCode"), "46");
  EXPECT_FALSE(fake.shell.hotkey);
  EXPECT_TRUE(dialog.KeepCurrentTab);
}

TEST_F(ShellTest, CancelledFilenameSetupAndPrinterSetupChangeNothing) {
  Start();
  app.FileName.SetPath("C:\\pics\\shot.png");
  fake.ui.saveAnswers = {std::nullopt};
  fake.ui.printAnswers = {std::nullopt};
  dialog.mnuFName_Click();
  dialog.mnuPrinter_Click();
  EXPECT_EQ(app.FileName.Path(), "C:\\pics\\shot.png");
  EXPECT_EQ(fake.ui.saveDialogsShown[0].FileName, "C:\\pics\\shot");
  EXPECT_EQ(app.CommonDialog1.Flags, 0);
  fake.ui.printAnswers = {3};
  dialog.mnuPrinter_Click();
  EXPECT_EQ(app.PrintCopies, 3);
  EXPECT_EQ(app.CommonDialog1.Flags, 0x208004);
}

TEST_F(ShellTest, TrayQuitAndRestartEndTheRun) {
  Start();
  fake.shell.menuAnswers = {frmTrayIcon::kRestart};
  dialog.window.Visible = false;
  shell.tray.TrayWindowProc(kTrayCallbackMessage, 0, kRightButtonDown);
  EXPECT_TRUE(shell.Ended());
  EXPECT_FALSE(fake.shell.trayIcon);
  EXPECT_EQ(fake.shell.hotkeyLog.back(), "unregister");
  EXPECT_EQ(fake.shell.launched, std::vector<std::string>{"C:\\Snapwell\\Snapwell"});
}

}  // namespace
}  // namespace snapwell
