// Whole captures whose file cannot be written: the message says which file and why, Yes saves the
// picture where the user chooses in the Save dialog, No gives it up leaving nothing behind, and
// the clipboard and the printer get the picture once either way. A series failing part-way
// either moves on to the chosen folder or stops.
#include <gtest/gtest.h>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <cerrno>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "capture/frm_main.h"
#include "support/capture_setup.h"
#include "support/disk_file_system.h"
#include "support/fake_platform.h"
#include "support/forwarding_imaging.h"
#include "transform/hand_over.h"
#include "unit/output/encoder_test_support.h"

namespace snapwell::testing {
namespace {

constexpr const char* kQuestion = "Do you want to save the picture somewhere else?";
constexpr const char* kNoBreakSpace = "\xC2\xA0";  // closes the path's line

// The imaging libraries on a disk some of whose folders refuse files as a real disk does: from
// the given write into such a folder on, a writer fails there with the folder's cause. Every
// other call reaches the linked libraries.
class RefusingImaging : public ForwardingImaging {
 public:
  void Refuse(const std::string& folder, vell::FileFailure why, int fromWrite = 1) {
    refusals_[folder] = {why, fromWrite, 0};
  }
  void Allow(const std::string& folder) { refusals_.erase(folder); }
  int WritesInto(const std::string& folder) const { return refusals_.at(folder).writes; }

  bool SaveAsEPS(const std::string& p, const Picture& s, int x, int y, int w, int h) override {
    return !Refused(p) && real->SaveAsEPS(p, s, x, y, w, h);
  }
  bool SaveAsPPM(const std::string& p, const Picture& s, int x, int y, int w, int h) override {
    return !Refused(p) && real->SaveAsPPM(p, s, x, y, w, h);
  }
  bool SaveAsPGM(const std::string& p, const Picture& s, int x, int y, int w, int h) override {
    return !Refused(p) && real->SaveAsPGM(p, s, x, y, w, h);
  }
  bool SaveAsPNG(const std::string& p, const Picture& s, int x, int y, int w, int h, int r) override {
    return !Refused(p) && real->SaveAsPNG(p, s, x, y, w, h, r);
  }
  std::int16_t SavetoJPEG(const std::string& b, const std::string& o, int q, int f) override {
    return Refused(o) ? std::int16_t{-4} : real->SavetoJPEG(b, o, q, f);
  }
  vell::FileFailure LastSaveFailure() const override { return refused_ ? last_ : real->LastSaveFailure(); }

 private:
  struct Refusal {
    vell::FileFailure why;
    int fromWrite;
    int writes;
  };
  bool Refused(const std::string& path) {
    refused_ = false;
    for (auto& [folder, refusal] : refusals_) {
      if (path.rfind(folder, 0) != 0) continue;
      if (++refusal.writes >= refusal.fromWrite) {
        refused_ = true;
        last_ = refusal.why;
      }
    }
    return refused_;
  }
  std::map<std::string, Refusal> refusals_;
  bool refused_ = false;
  vell::FileFailure last_;
};

struct Folders {
  ScratchFolder output;     // where the output name points
  ScratchFolder pictures;   // the user's Pictures folder
  ScratchFolder elsewhere;  // where the user saves the picture instead
  ScratchFolder temporary;  // the user's temporary folder
  DiskFileSystem disk;
};

// A capture on the fake desktop with its files on the real disk, clipboard, file and printer
// targets, PNG by default, no dialogs but those the failure brings.
class FileRescueFlow : public ::testing::Test, protected Folders, protected FakeCapture {
 protected:
  FileRescueFlow()
      : FakeCapture(320, 240, &disk, output.Path(""), std::make_unique<RefusingImaging>()),
        refusing(static_cast<RefusingImaging&>(*imaging)) {
    disk.picturesFolder = pictures.Path("");
    fake.output.temporaryFolder = temporary.Path("");
    Settings& s = app.settings;
    s.Outputs = 7;
    s.RollValue = 6;
    s.EnlargeValue = 1.0f;
    s.ReverseValue = 0;
    s.DefaultExt = 3;
    app.PrintCopies = 1;
  }

  // The rectangle (10, 20)-(29, 34) captured and handed over, the series run to its end.
  void Capture() {
    Start(0);
    form.Form_MouseDown(1, 0, 10, 20);
    form.MouseMove(1, 0, 29, 34);
    form.Form_MouseUp(1, 0, 29, 34);
    for (int tick = 0; tick < 20 && form.loaded; ++tick)
      fake.timers.Advance(1);
    EXPECT_FALSE(form.loaded);
  }

  static PixelCopy DecodeFile(const std::string& path) {
    int w = 0, h = 0, channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &w, &h, &channels, 3);
    PixelCopy copy{w, h, {}};
    for (int i = 0; data != nullptr && i < w * h; ++i)
      copy.pixels.push_back(vell::Rgb(data[3 * i], data[3 * i + 1], data[3 * i + 2]));
    stbi_image_free(data);
    return copy;
  }
  // The picture is the captured block of the desktop, turned clockwise by `quarters` right angles.
  static void ExpectCapturedBlock(const PixelCopy& picture, int quarters = 0) {
    ASSERT_EQ(picture.width, quarters == 0 ? 20 : 15);
    ASSERT_EQ(picture.height, quarters == 0 ? 15 : 20);
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x)
        ASSERT_EQ(picture.At(x, y),
                  quarters == 0 ? DesktopPixel(10 + x, 20 + y) : DesktopPixel(10 + y, 34 - x))
            << "at " << x << "," << y;
  }
  // The clipboard and the printer had the picture once, whatever became of the file.
  void ExpectClipboardAndPrinterOnce() {
    EXPECT_EQ(fake.output.clipboardSets, 1);
    ASSERT_TRUE(fake.output.clipboard.has_value());
    ExpectCapturedBlock(*fake.output.clipboard);
    ASSERT_EQ(fake.output.documents.size(), 1u);
    ASSERT_EQ(fake.output.documents[0].pages.size(), 1u);
    ExpectCapturedBlock(fake.output.documents[0].pages[0]);
  }
  void ExpectFailureMessage(std::size_t index, const std::string& path, const std::string& reason) {
    ASSERT_GT(fake.ui.shown.size(), index);
    const ShownMessage& box = fake.ui.shown[index];
    EXPECT_EQ(box.text, "Failed to output to the file.\r\n" + path + kNoBreakSpace + "\r\n" + reason +
                            "\r\n\r\n" + kQuestion);
    EXPECT_EQ(box.title, "Error");
    EXPECT_EQ(box.buttons, MsgButtons::YesNo);
    EXPECT_EQ(box.icon, MsgIcon::Exclamation);
  }

  RefusingImaging& refusing;
};

TEST_F(FileRescueFlow, EachReasonIsToldAndYesSavesElsewhereWhileNoLeavesNothing) {
  const std::string longName(300, 'n');  // more than a file name may hold
  struct Row {
    const char* label;
    std::string name;          // the output name, in the output folder
    std::int16_t autoName;     // with numbering the folder is searched first
    vell::FileFailure refuse;  // the output folder's cause; None: the disk's own
    std::string failing;       // the file that cannot be written, without its extension
    const char* reason;
    std::string saveAs;  // the name chosen in the Save dialog, in the other folder
  };
  const Row rows[] = {
      {"missing folder", "gone/shot", 1, {}, "gone/shot0", "The folder does not exist.", "shot0"},
      {"access denied",
       "shot",
       0,
       {vell::FileError::AccessDenied, EACCES},
       "shot",
       "Access is denied (the folder or the file is write-protected or in use).",
       "shot"},
      {"full disk", "shot", 1, {vell::FileError::DiskFull, ENOSPC}, "shot0", "The disk is full.", "shot0"},
      {"bad name", longName, 0, {}, longName, "The file name is not valid.", "renamed"},
  };
  for (const Row& row : rows) {
    for (const bool yes : {true, false}) {
      SCOPED_TRACE(std::string(row.label) + (yes ? ": Yes" : ": No"));
      // No is answered with JPEG, whose bitmap in the temporary folder must go too.
      const std::string ext = yes ? ".png" : ".jpg";
      app.settings.DefaultExt = yes ? 3 : 2;
      app.settings.AutoName = row.autoName;
      if (row.refuse.kind != vell::FileError::None) refusing.Refuse(output.Path(""), row.refuse);
      app.FileName.SetPath(output.Path(row.name));
      fake.ui.shown.clear();
      fake.ui.saveDialogsShown.clear();
      fake.output.documents.clear();
      fake.output.clipboardSets = 0;
      const int beeps = fake.ui.beeps;
      fake.ui.Expect(yes ? MsgAnswer::Yes : MsgAnswer::No);
      if (yes) fake.ui.saveAnswers.push_back(elsewhere.Path(row.saveAs + ext));

      Capture();

      ASSERT_EQ(fake.ui.shown.size(), 1u);
      ExpectFailureMessage(0, output.Path(row.failing + ext), row.reason);
      ExpectClipboardAndPrinterOnce();
      EXPECT_TRUE(output.Names().empty());
      EXPECT_TRUE(temporary.Names().empty());
      EXPECT_TRUE(pictures.Names().empty());
      EXPECT_EQ(app.FileName.Path(), output.Path(row.name));  // the setting stays
      if (yes) {
        ASSERT_EQ(fake.ui.saveDialogsShown.size(), 1u);
        const CommonDialogState& dialog = fake.ui.saveDialogsShown[0];
        // The same name and format, in the Pictures folder.
        EXPECT_EQ(dialog.FileName, pictures.Path(row.failing.substr(row.failing.rfind('/') + 1) + ext));
        EXPECT_EQ(dialog.FilterIndex, 4);  // PNG
        EXPECT_EQ(dialog.DialogTitle, "Output Filename");
        EXPECT_EQ(elsewhere.Names(), std::vector<std::string>{row.saveAs + ext});
        ExpectCapturedBlock(DecodeFile(elsewhere.Path(row.saveAs + ext)));
        EXPECT_EQ(fake.ui.beeps, beeps + 1);
        std::filesystem::remove(elsewhere.Path(row.saveAs + ext));
      } else {
        EXPECT_TRUE(fake.ui.saveDialogsShown.empty());
        EXPECT_TRUE(elsewhere.Names().empty());
        EXPECT_EQ(fake.ui.beeps, beeps);
      }
      refusing.Allow(output.Path(""));
    }
  }
}

TEST_F(FileRescueFlow, SecondFailureAsksAgainAndCancelInTheDialogEndsLikeNo) {
  refusing.Refuse(output.Path(""), {vell::FileError::AccessDenied, EACCES});
  refusing.Refuse(elsewhere.Path(""), {vell::FileError::DiskFull, ENOSPC});
  app.FileName.SetPath(output.Path("shot"));
  fake.ui.Expect(MsgAnswer::Yes);
  fake.ui.saveAnswers.push_back(elsewhere.Path("shot.png"));
  fake.ui.Expect(MsgAnswer::Yes);
  fake.ui.saveAnswers.push_back(pictures.Path("kept"));  // typed without extension: PNG stays chosen
  Capture();
  ASSERT_EQ(fake.ui.shown.size(), 2u);
  ExpectFailureMessage(1, elsewhere.Path("shot.png"), "The disk is full.");
  // Asked again in the Pictures folder with the name last tried.
  ASSERT_EQ(fake.ui.saveDialogsShown.size(), 2u);
  EXPECT_EQ(fake.ui.saveDialogsShown[1].FileName, pictures.Path("shot.png"));
  ExpectCapturedBlock(DecodeFile(pictures.Path("kept.png")));

  fake.ui.shown.clear();
  fake.ui.Expect(MsgAnswer::Yes);
  fake.ui.saveAnswers.push_back(std::nullopt);
  Capture();
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(pictures.Names(), std::vector<std::string>{"kept.png"});
  EXPECT_TRUE(output.Names().empty() && elsewhere.Names().empty() && temporary.Names().empty());
}

// A series of four PNG pictures (0, 30, 60 and 90 degrees) whose disk is full from the third on.
TEST_F(FileRescueFlow, SeriesFailingAtItsThirdPicture) {
  Settings& s = app.settings;
  s.ContOutput = 1;
  s.StartAng = 0;
  s.EndAng = 90;
  s.StepAng = 30;
  s.Outputs = 2;
  s.AutoName = 1;
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    const ScratchFolder full, other;
    refusing.Refuse(full.Path(""), {vell::FileError::DiskFull, ENOSPC}, 3);
    app.FileName.SetPath(full.Path("turn"));
    fake.ui.shown.clear();
    progress.texts.clear();
    fake.ui.Expect(yes ? MsgAnswer::Yes : MsgAnswer::No);
    if (yes) fake.ui.saveAnswers.push_back(other.Path("turn2.png"));

    Capture();

    ASSERT_EQ(fake.ui.shown.size(), 1u);  // asked once for the series
    ExpectFailureMessage(0, full.Path("turn2.png"), "The disk is full.");
    EXPECT_EQ(refusing.WritesInto(full.Path("")), 3);
    EXPECT_EQ(app.FileName.Path(), full.Path("turn"));
    ExpectCapturedBlock(DecodeFile(full.Path("turn0.png")));
    EXPECT_EQ(DecodeFile(full.Path("turn1.png")).width, 28);  // 30 degrees
    EXPECT_EQ(full.Names().size(), 2u);
    if (yes) {
      // The rest follows the picture saved elsewhere, numbered on from it.
      EXPECT_EQ(DecodeFile(other.Path("turn2.png")).width, 26);  // 60 degrees
      ExpectCapturedBlock(DecodeFile(other.Path("turn3.png")), 1);
      EXPECT_EQ(other.Names().size(), 2u);
      EXPECT_EQ(progress.texts.back(), " 5/ 4");
    } else {
      EXPECT_TRUE(other.Names().empty());
      EXPECT_EQ(progress.texts.back(), " 4/ 4");  // stopped after the third picture
    }
    refusing.Allow(full.Path(""));
  }
}

}  // namespace
}  // namespace snapwell::testing
