// The shell's forms through the fake platform: start-up by residence, the close box, the
// countdown, capture requests from every channel, the dialog's checks and its menus.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/app_shell.h"
#include "support/fake_platform.h"

namespace snapwell {
namespace {

// The capture surface as the shell sees it: loads and shows are only counted; End does what
// the surface's EndCapture asks of the shell.
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
  void End(AppContext& app, ShellLink& shell) {
    app.showPointer = false;
    shell.ShowHelper();
    Unload();
    shell.EnableSettingsDialog();
  }
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
  EXPECT_EQ(fake.shell.cursor, std::make_pair(168, 586));  // 1500 and 3000 twips are 100 and 200 pixels
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

TEST_F(ShellTest, AutoRenewalSurvivesStartUpAndResetWithEveryOutputSet) {
  // The clipboard box comes before the file box: its handler must not take Auto-Renewal away.
  Store({{"Outputs", "3"}, {"AutoName", "1"}});
  Start();
  EXPECT_EQ(dialog.chkAutoName.Value, 1);
  EXPECT_EQ(app.settings.AutoName, 1);
  for (const char* outputs : {"2", "6", "7"}) {
    Store({{"Outputs", outputs}});
    dialog.btnReset_Click();
    EXPECT_EQ(dialog.chkAutoName.Value, 1) << outputs;
    EXPECT_EQ(app.settings.AutoName, 1) << outputs;
    EXPECT_TRUE(dialog.chkAutoName.Enabled) << outputs;
  }
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

// Restart is offered only once the screen metrics disagree with the desktop size.
TEST_F(ShellTest, TrayQuitAndRestartEndTheRun) {
  struct Case {
    int item;
    long metricsWidthTwips;
    std::vector<std::string> launched;
  };
  const Case cases[] = {{frmTrayIcon::kQuit, 1920 * 15, {}},
                        {frmTrayIcon::kRestart, 1080 * 15, {"C:\\Snapwell\\Snapwell"}}};
  for (const Case& c : cases) {
    testing::FakePlatform f;
    f.files.AddFile("C:\\Snapwell\\default.vol");
    f.shell.screenWidthTwips = c.metricsWidthTwips;
    AppContext a(f.platform, "C:\\Snapwell");
    FakeSurface s;
    AppShell sh(a, s);
    sh.StartUp();
    sh.setting.window.Visible = false;
    f.shell.menuAnswers = {c.item};
    sh.tray.TrayWindowProc(kTrayCallbackMessage, 0, kRightButtonDown);
    EXPECT_TRUE(sh.Ended()) << c.item;
    EXPECT_FALSE(f.shell.trayIcon);
    EXPECT_EQ(f.shell.hotkeyLog.back(), "unregister");
    EXPECT_EQ(f.shell.launched, c.launched);
  }
}

// Alt+Tab or the taskbar must not reach a dialog whose Capture or Close would unload the running
// surface: disabled from the request until the capture ends, on both paths and in both residences.
TEST_F(ShellTest, SettingsDialogStaysDisabledWhileACaptureRuns) {
  struct Case {
    const char* copyTimer;
    const char* whereStay;
  };
  for (const Case c : {Case{"0", "0"}, Case{"0", "1"}, Case{"1", "0"}, Case{"1", "1"}}) {
    SCOPED_TRACE(std::string("countdown ") + c.copyTimer + ", residence " + c.whereStay);
    testing::FakePlatform f;
    f.files.AddFile("C:\\Snapwell\\default.vol");
    f.store.values = {{"CopyTimer", c.copyTimer}, {"CopyTime", "0.5"}, {"WhereStay", c.whereStay}};
    AppContext a(f.platform, "C:\\Snapwell");
    FakeSurface s;
    AppShell sh(a, s);
    sh.StartUp();
    sh.setting.btnStart_Click();
    EXPECT_FALSE(sh.setting.window.Enabled);
    f.timers.Advance(1000);
    ASSERT_EQ(s.shows, 1);
    EXPECT_FALSE(sh.setting.window.Enabled);
    // A tray click meanwhile neither starts another capture nor offers the waiting menu.
    sh.tray.TrayWindowProc(kTrayCallbackMessage, 0, kLeftButtonDown);
    sh.tray.TrayWindowProc(kTrayCallbackMessage, 0, kRightButtonDown);
    EXPECT_TRUE(f.shell.menusShown.empty());
    EXPECT_EQ(s.shows, 1);
    s.End(a, sh);
    EXPECT_TRUE(sh.setting.window.Enabled);
  }
}

// Every question and dialog the settings dialog opens is up with the hotkey unregistered, so a
// hotkey pressed meanwhile cannot start a capture behind it; the hotkey is back afterwards.
TEST_F(ShellTest, EveryQuestionOfTheDialogIsAskedWithTheHotkeyUnregistered) {
  struct Case {
    const char* label;
    std::vector<std::pair<const char*, const char*>> stored;  // before start-up
    std::vector<MsgAnswer> answers;
    std::function<void(testing::FakePlatform&, frmSetting&)> act;
  };
  const Case cases[] = {
      {"capture with an unusable template",
       {{"FlameStyle", "2"}, {"VariLineShape", "1"}},
       {MsgAnswer::Ok},
       [](testing::FakePlatform&, frmSetting& d) { d.btnStart_Click(); }},
      {"capture without a target",
       {{"Outputs", "0"}},
       {MsgAnswer::Ok},
       [](testing::FakePlatform&, frmSetting& d) { d.btnStart_Click(); }},
      {"Save Main settings without a target",
       {{"Outputs", "0"}},
       {MsgAnswer::Ok},
       [](testing::FakePlatform&, frmSetting& d) { d.mnuSaveSetting_Click(); }},
      {"Save Main settings",
       {},
       {MsgAnswer::No},
       [](testing::FakePlatform&, frmSetting& d) { d.mnuSaveSetting_Click(); }},
      {"reset with a lost frame list",
       {},
       {MsgAnswer::Ok},
       [](testing::FakePlatform& f, frmSetting& d) {
         f.store.values["VOLFileName"] = "lost.vol";
         d.btnReset_Click();
       }},
      {"version box",
       {},
       {MsgAnswer::Ok},
       [](testing::FakePlatform&, frmSetting& d) { d.mnuVersion_Click(); }},
      {"output file name",
       {},
       {},
       [](testing::FakePlatform& f, frmSetting& d) {
         f.ui.saveAnswers = {std::nullopt, "C:\\pics\\a"};
         d.mnuFName_Click();
         d.btnFile_Click();
       }},
      {"printer set-up",
       {},
       {},
       [](testing::FakePlatform& f, frmSetting& d) {
         f.ui.printAnswers = {2};
         d.mnuPrinter_Click();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    testing::FakePlatform f;
    f.files.AddFile("C:\\Snapwell\\default.vol", "\"Heart\",\"heart.vod\"\r\n");
    f.store.values = {{"AppearWindow", "1"}};
    for (const auto& [key, value] : c.stored)
      f.store.values[key] = value;
    AppContext a(f.platform, "C:\\Snapwell");
    FakeSurface s;
    AppShell sh(a, s);
    sh.StartUp();
    f.shell.hotkeyWhileModal.clear();
    ASSERT_TRUE(f.shell.hotkey.has_value());
    f.ui.answers.assign(c.answers.begin(), c.answers.end());
    c.act(f, sh.setting);
    EXPECT_FALSE(f.shell.hotkeyWhileModal.empty());
    EXPECT_EQ(std::count(f.shell.hotkeyWhileModal.begin(), f.shell.hotkeyWhileModal.end(), true), 0);
    EXPECT_TRUE(f.ui.answers.empty());
    EXPECT_TRUE(f.shell.hotkey.has_value());
  }
}

// The capture marks a freehand outline when the chosen template cannot be read; the dialog still
// shows the template, and the next capture uses it once it can be read.
TEST_F(ShellTest, UnusableTemplateFallsBackToFreehandForThatCaptureOnly) {
  Store({{"FlameStyle", "2"}, {"VariLineShape", "1"}, {"FixField", "1"}});
  Start();
  fake.ui.Expect(MsgAnswer::Ok);
  dialog.btnStart_Click();
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_FALSE(app.templateMode);
  EXPECT_EQ(app.fixedFrame, 0);
  fake.timers.Advance(1);
  surface.End(app, shell);
  EXPECT_EQ(dialog.optFlame[2].Value, 1);
  EXPECT_EQ(dialog.cmbVariLine.ListIndex, 1);
  EXPECT_TRUE(dialog.txtFFX.Visible);
  EXPECT_EQ(app.settings.VariLineShape, 1);

  fake.files.AddFile("C:\\Snapwell\\heart.vod", "Heart,10,10,0,0,1\r\nL,0,0,9,9,0,0,0,0\r\n");
  dialog.btnStart_Click();
  EXPECT_TRUE(app.templateMode);
  EXPECT_EQ(app.fixedFrame, 1);
  EXPECT_EQ(fake.ui.shown.size(), 1u);
}

// Numbers show in the general number format: seven significant digits, as the series dialog and
// the capture surface show them.
TEST_F(ShellTest, NumbersShowInTheGeneralNumberFormat) {
  Store({{"CurrentVersion", "4.5"},
         {"DefRoll", "33.333332"},
         {"EnlargeValue", "0.3333333"},
         {"CopyTime", "0.3"}});
  Start();
  EXPECT_EQ(dialog.txtRoll.Caption, "33.33333");
  EXPECT_EQ(dialog.txtEnlarge.Caption, "33.33333");
  EXPECT_EQ(dialog.txtCopyTime.Caption, "0.3");
  dialog.SetText(dialog.txtRoll, "-123.456789");
  dialog.txtRoll_LostFocus();
  EXPECT_EQ(dialog.txtRoll.Caption, "-123.4568");
}

}  // namespace
}  // namespace snapwell
