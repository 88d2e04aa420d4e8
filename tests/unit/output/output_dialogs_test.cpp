// The output target dialog and the series dialog as models over the fake platform: opening from
// the settings, the output and stop buttons, Browse, printer set-up, the boxes' rules, the
// series dialog's calculation and the progress window.
#include <gtest/gtest.h>

#include <functional>

#include "app/app_context.h"
#include "output/frm_cont_out.h"
#include "output/frm_out_dialog.h"
#include "support/fake_platform.h"

namespace snapwell {
namespace {

class OutDialogTest : public ::testing::Test {
 protected:
  OutDialogTest() {
    fake.files.AddFolder("C:\\pics");
    app.FileName.SetPath("C:\\pics\\shot.png");
  }
  // Shows the dialog for an output; the user's actions run once it is active.
  bool Show(const std::function<void(frmOutDialog&)>& user) {
    fake.shell.modalScript.push_back([&, user](ModalForm&) {
      dialog.Form_Activate();
      user(dialog);
      if (dialog.IsOpen()) dialog.CloseByUser();
    });
    return dialog.ShowForOutput();
  }
  void ExpectMessage(std::size_t index, const char* text, const char* title) {
    ASSERT_GT(fake.ui.shown.size(), index);
    EXPECT_EQ(fake.ui.shown[index].text, text);
    EXPECT_EQ(fake.ui.shown[index].title, title);
  }

  testing::FakePlatform fake;
  AppContext app{fake.platform, "C:\\Snapwell"};
  frmOutDialog dialog{OutputContextOf(app)};
};

TEST_F(OutDialogTest, OpeningTicksTheBoxesFromTheSettingsAndKeepsAutoName) {
  struct Case {
    std::int16_t outputs, autoName;
    int clip, file, printer;
    bool clipEnabled;
    int autoBox;
    std::int16_t outputsAfter;
    const char* fileBox;
  };
  const Case cases[] = {
      {4, 0, 1, 0, 1, false, 0, 5, "shot.png"},   // the printer brings the clipboard, greyed
      {1, 1, 1, 0, 0, true, 0, 1, "shot0.png"},   // file box clear: renewal box clear, AutoName kept
      {2, 1, 0, 1, 0, true, 1, 2, "shot0.png"},   // numbered at once
      {7, 0, 1, 1, 1, false, 0, 7, "shot0.png"},  // the numbered body stays in the name
  };
  for (const Case& c : cases) {
    app.settings.Outputs = c.outputs;
    app.settings.AutoName = c.autoName;
    Show([&](frmOutDialog& d) {
      EXPECT_EQ(d.chkOutput[0].Value, c.clip);
      EXPECT_EQ(d.chkOutput[1].Value, c.file);
      EXPECT_EQ(d.chkOutput[2].Value, c.printer);
      EXPECT_EQ(d.chkOutput[0].Enabled, c.clipEnabled);
      EXPECT_EQ(d.chkAutoName.Value, c.autoBox);
      EXPECT_EQ(d.txtFileName.Enabled, c.file == 1);
      EXPECT_EQ(d.txtFileName.BackColor, c.file == 1 ? 0x80000005u : 0x8000000Fu);  // window, button face
      EXPECT_EQ(d.txtFileName.Caption, c.fileBox);
      EXPECT_EQ(d.txtFolderName.Caption, "C:\\pics\\");
      EXPECT_EQ(d.window.Caption, "Output Target Setting");
    });
    EXPECT_EQ(app.settings.Outputs, c.outputsAfter) << c.outputs;
    EXPECT_EQ(app.settings.AutoName, c.autoName) << c.outputs;
  }
  // Centred (1920 x 1080 at 15 twips) and the pointer put onto the output button.
  EXPECT_EQ(dialog.window.Left, 11460);  // (1920 * 15 - 5880) / 2
  EXPECT_EQ(dialog.window.Top, 6420);
  EXPECT_EQ(fake.shell.cursor, std::make_pair(790, 466));  // 26 and 38 pixels into the output button
}

TEST_F(OutDialogTest, OutputButtonStaysUntilTheTargetsAndTheNameAreUsable) {
  struct Case {
    std::int16_t outputs;
    const char* typed;
    const char* message;  // nullptr: the output starts
  };
  const Case cases[] = {
      {0, "shot.png", "No output Target is specified."},
      {2, "", "The filename is not be inputted."},
      {2, ".bmp", "Illegal filename is specified."},
      {2, "shot.png", nullptr},
      {1, "", nullptr},  // no file target: the name is not looked at
  };
  for (const Case& c : cases) {
    fake.ui.shown.clear();
    app.settings.Outputs = c.outputs;
    const bool confirmed = Show([&](frmOutDialog& d) {
      d.SetText(d.txtFileName, c.typed);
      if (c.message != nullptr) fake.ui.Expect(MsgAnswer::Ok);
      d.btnStart_Click();
      EXPECT_EQ(d.IsOpen(), c.message != nullptr);
    });
    EXPECT_EQ(confirmed, c.message == nullptr) << c.outputs << c.typed;
    if (c.message != nullptr) ExpectMessage(0, c.message, "Warning!");
  }
}

TEST_F(OutDialogTest, SeriesCounterInTheCaptionsAndStopEndsTheSeries) {
  app.seriesIndex = 3;
  app.seriesTotal = 5;
  EXPECT_TRUE(Show([](frmOutDialog& d) {
    EXPECT_EQ(d.window.Caption, "Output Target Setting 3/5");
    d.btnStart_Click();
  }));
  EXPECT_EQ(dialog.window.Caption, "Now outputting. 3/5");
  EXPECT_EQ(dialog.MousePointer, 11);  // the hourglass
  EXPECT_FALSE(app.seriesCancel);
  EXPECT_FALSE(Show([](frmOutDialog& d) { d.btnCancel_Click(); }));
  EXPECT_TRUE(app.seriesCancel);
}

TEST_F(OutDialogTest, FileBoxClearedByTheUserClearsRenewalAndTheFolderBoxIgnoresTyping) {
  app.settings.Outputs = 3;
  app.settings.AutoName = 1;
  fake.files.AddFile("C:\\pics\\shot0.png");
  Show([](frmOutDialog& d) {
    EXPECT_EQ(d.txtFileName.Caption, "shot1.png");
    d.SetText(d.txtFolderName, "D:\\elsewhere\\");
    EXPECT_EQ(d.txtFolderName.Caption, "C:\\pics\\");
    d.SetOutputBox(1, 0);
    EXPECT_EQ(d.chkAutoName.Value, 0);
    EXPECT_FALSE(d.btnFile.Enabled);
  });
  EXPECT_EQ(app.settings.AutoName, 0);
  EXPECT_EQ(app.settings.Outputs, 1);
  EXPECT_EQ(app.FileName.Path(), "C:\\pics\\shot1.png");
}

TEST_F(OutDialogTest, ForbiddenCharactersAreRefusedAndTheLastGoodNameKept) {
  app.settings.Outputs = 2;
  Show([&](frmOutDialog& d) {
    fake.ui.Expect(MsgAnswer::Ok);
    fake.ui.Expect(MsgAnswer::Ok);
    d.SetText(d.txtFileName, "a?b.png");
    d.txtFileName_LostFocus();
    EXPECT_EQ(d.txtFileName.FocusRequests, 1);
    fake.ui.Expect(MsgAnswer::Ok);
    d.btnStart_Click();  // refused again, not written under the old name
    EXPECT_TRUE(d.IsOpen());
  });
  ExpectMessage(0, "Following characters cannot be used for a filename.\r\n        \\ / , ; * ? \" < > |",
                "Filename Error");
  EXPECT_EQ(app.FileName.Path(), "C:\\pics\\shot.png");
}

TEST_F(OutDialogTest, BrowseTakesTheChosenFileTypeAndPrinterSetupTheCopies) {
  app.settings.Outputs = 2;
  app.settings.DefaultExt = 3;
  Show([&](frmOutDialog& d) {
    fake.ui.saveAnswers.push_back("D:\\out\\a");
    app.CommonDialog1.FilterIndex = 7;  // the user leaves the PGM entry chosen
    d.btnFile_Click();
    EXPECT_EQ(d.txtFolderName.Caption, "D:\\out\\");
    EXPECT_EQ(d.txtFileName.Caption, "a.pgm");
    fake.ui.saveAnswers.push_back(std::nullopt);  // cancel: nothing changes
    d.btnFile_Click();
    EXPECT_EQ(d.txtFileName.Caption, "a.pgm");
    fake.ui.printAnswers.push_back(3);
    d.btnPrinter_Click();
  });
  ASSERT_EQ(fake.ui.saveDialogsShown.size(), 2u);
  EXPECT_EQ(fake.ui.saveDialogsShown[0].FileName, "C:\\pics\\shot");
  EXPECT_EQ(fake.ui.saveDialogsShown[0].DefaultExt, ".png");
  EXPECT_EQ(fake.ui.saveDialogsShown[0].DialogTitle, "Output Filename");
  EXPECT_EQ(app.FileName.Path(), "D:\\out\\a.pgm");
  ASSERT_EQ(fake.ui.printDialogsShown.size(), 1u);
  EXPECT_EQ(fake.ui.printDialogsShown[0].Flags, 0x10000C);
  EXPECT_EQ(fake.ui.printDialogsShown[0].Copies, 1);
  EXPECT_EQ(app.CommonDialog1.Flags, 0x208004);
  EXPECT_EQ(app.PrintCopies, 3);
}

class ContOutTest : public ::testing::Test {
 protected:
  std::array<std::string, 4> Boxes() const {
    return {dialog.txtStartAng.Caption, dialog.txtEndAng.Caption, dialog.txtStepAng.Caption,
            dialog.txtOutputNumber.Caption};
  }

  testing::FakePlatform fake;
  AppContext app{fake.platform, "C:\\Snapwell"};
  frmContOut dialog{OutputContextOf(app)};
};

TEST_F(ContOutTest, LeavingABoxFoldsItAndWorksOutTheChosenValue) {
  struct Case {
    std::int16_t calc;
    int box;  // 0 start, 1 end, 2 step, 3 number
    const char* typed;
    std::array<std::string, 4> shown;
  };
  const Case cases[] = {
      {3, 0, "400", {"40", "90", "30", "2"}},
      {3, 0, "-200", {"160", "90", "30", "10"}},
      {3, 0, "540x", {"180", "90", "30", "10"}},
      {3, 2, "abc", {"0", "90", "1", "91"}},  // no number: step 0 becomes 1
      {3, 3, "1", {"0", "90", "30", "4"}},    // the count follows the angles
      {2, 3, "4", {"0", "90", "30", "4"}},
      {2, 3, "1", {"0", "90", "90", "2"}},  // below 2 becomes 2
      {0, 3, "3", {"30", "90", "30", "3"}},
      {1, 3, "5", {"0", "120", "30", "5"}},
  };
  for (const Case& c : cases) {
    app.settings.StartAng = 0;
    app.settings.EndAng = 90;
    app.settings.StepAng = 30;
    app.settings.ContOutCulc = c.calc;
    dialog.Form_Load();
    TextBoxControl* boxes[] = {&dialog.txtStartAng, &dialog.txtEndAng, &dialog.txtStepAng,
                               &dialog.txtOutputNumber};
    EXPECT_FALSE(boxes[c.calc]->Enabled);
    EXPECT_EQ(dialog.optFix[c.calc].Value, 1);
    boxes[c.box]->Caption = c.typed;
    void (frmContOut::*leave[])() = {&frmContOut::txtStartAng_LostFocus, &frmContOut::txtEndAng_LostFocus,
                                     &frmContOut::txtStepAng_LostFocus,
                                     &frmContOut::txtOutputNumber_LostFocus};
    (dialog.*leave[c.box])();
    EXPECT_EQ(Boxes(), c.shown) << c.calc << " " << c.box << " " << c.typed;
  }
}

TEST_F(ContOutTest, OkStoresTheAnglesAndCancelEndsTheSeries) {
  app.settings.StepAng = 90;
  fake.shell.modalScript.push_back([&](ModalForm&) {
    dialog.Form_Activate();
    dialog.txtStepAng.Caption = "45";
    dialog.txtStepAng_LostFocus();
    dialog.SelectOption(1);
    dialog.btnRun_Click();
  });
  app.seriesCancel = true;
  EXPECT_TRUE(dialog.ShowModalDialog());
  EXPECT_FALSE(app.seriesCancel);
  EXPECT_EQ(app.settings.StepAng, 45.0f);
  EXPECT_EQ(app.settings.ContOutCulc, 1);
  EXPECT_EQ(fake.shell.cursor, std::make_pair(855, 468));  // 51 and 38 pixels into the OK button

  fake.shell.modalScript.push_back([&](ModalForm& form) { form.CloseByUser(); });
  EXPECT_FALSE(dialog.ShowModalDialog());
  EXPECT_TRUE(app.seriesCancel);
}

TEST_F(ContOutTest, ProgressWindowOnlyOffersCancelAndIsWrittenOnlyWhileLoaded) {
  dialog.SetProgressText(" 2/ 5");  // not loaded: nothing happens
  EXPECT_FALSE(dialog.window.Loaded);
  dialog.ShowProgress(" 1 / 5");
  EXPECT_TRUE(dialog.window.Visible);
  EXPECT_EQ(dialog.TopmostRequests, 1);
  EXPECT_EQ(dialog.txtOutputNumber.Caption, " 1 / 5");
  EXPECT_EQ(dialog.btnRun.Caption, "Now Outputting\n");
  EXPECT_EQ(dialog.MousePointer, 13);  // arrow with hourglass
  for (const Control* c : std::initializer_list<const Control*>{&dialog.btnRun, &dialog.txtStartAng,
                                                                &dialog.txtOutputNumber, &dialog.optFix[3]}) {
    EXPECT_FALSE(c->Enabled);
  }
  EXPECT_TRUE(dialog.btnCancel.Enabled);
  dialog.SetProgressText(" 2/ 5");
  EXPECT_EQ(dialog.txtOutputNumber.Caption, " 2/ 5");
  dialog.btnCancel_Click();
  EXPECT_TRUE(app.seriesCancel);
  dialog.SetProgressText(" 3/ 5");
  EXPECT_EQ(dialog.txtOutputNumber.Caption, " 2/ 5");
}

}  // namespace
}  // namespace snapwell
