// Saving the finished picture: every format written and read back, the naming branches (numbering,
// the overwrite question both ways, the Save dialog, a missing folder, no name) and a library that
// leaves no file.
#include "output/save_image.h"

#include <gtest/gtest.h>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "support/disk_file_system.h"
#include "support/fake_output_devices.h"
#include "support/fake_platform.h"
#include "support/forwarding_imaging.h"
#include "unit/output/encoder_test_support.h"

namespace snapwell::testing {
namespace {

constexpr std::uint32_t kRed = 0xC81E0A, kBlue = 0x0A28DC;

// The 3 x 2 picture every test saves: red, white, blue over blue, red, white.
Picture Sample() {
  Picture picture(3, 2);
  const std::uint32_t pixels[6] = {kRed, kWhite, kBlue, kBlue, kRed, kWhite};
  for (int i = 0; i < 6; ++i)
    picture.SetPixel(i % 3, i / 3, pixels[i]);
  return picture;
}

class RecordingHost : public SaveImageHost {
 public:
  void PlaceOwnWindows(bool topmost) override { placements.push_back(topmost); }
  void ShowBusy(bool busy) override { this->busy = busy; }
  std::vector<bool> placements;
  bool busy = false;
};

// An imaging binding whose PNG writer answers "done" without writing anything.
class SilentPngImaging : public ForwardingImaging {
 public:
  bool SaveAsPNG(const std::string&, const Picture&, int, int, int, int, int) override { return true; }
};

class SaveImageTest : public ::testing::Test {
 protected:
  SaveOutcome Save(Imaging* imaging = nullptr) {
    SaveImageContext context{fileName, autoName, 3,           dialog,
                             disk,     fake.ui,  fake.output, imaging != nullptr ? *imaging : *real,
                             texts,    host};
    return SaveImage(picture, context);
  }
  std::string In(const std::string& name) const { return folder->Path(name); }
  // The decoded file: width, height and its pixels (0x00RRGGBB, grey repeated for one channel).
  std::vector<std::uint32_t> Decode(const std::string& path, int* w, int* h) const {
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), w, h, &channels, 3);
    std::vector<std::uint32_t> pixels;
    for (int i = 0; data != nullptr && i < *w * *h; ++i) {
      pixels.push_back(vell::Rgb(data[3 * i], data[3 * i + 1], data[3 * i + 2]));
    }
    stbi_image_free(data);
    return pixels;
  }
  void ExpectOneMessage(const std::string& text, const std::string& title) {
    ASSERT_EQ(fake.ui.shown.size(), 1u);
    EXPECT_EQ(fake.ui.shown[0].text, text);
    EXPECT_EQ(fake.ui.shown[0].title, title);
  }

  std::unique_ptr<ScratchFolder> folder = std::make_unique<ScratchFolder>();
  ScratchFolder temporary;
  FakePlatform fake;
  DiskFileSystem disk;
  std::unique_ptr<Imaging> real = CreateImaging();
  Texts texts;
  RecordingHost host;
  CFileName fileName;
  CommonDialogState dialog;
  std::int16_t autoName = 0;
  Picture picture = Sample();

  void SetUp() override { fake.output.temporaryFolder = temporary.Path(""); }
};

TEST_F(SaveImageTest, EveryFormatIsWrittenCompleteAndReadsBack) {
  struct Case {
    const char* name;
    bool exact;  // lossless colour formats give the pixels back as they were
  };
  const Case cases[] = {{"a.bmp", true},   {"b.png", true},  {"c.ppm", true}, {"d.JPG", false},
                        {"e.jpeg", false}, {"f.pgm", false}, {"g.txt", true}};
  for (const Case& c : cases) {
    fileName.SetPath(In(c.name));
    ASSERT_EQ(Save(), SaveOutcome::Written) << c.name;
    // ".txt" is no known extension: the default one (".png" here) is appended.
    const std::string written = std::string(c.name) == "g.txt" ? In("g.txt.png") : In(c.name);
    int w = 0, h = 0;
    const std::vector<std::uint32_t> pixels = Decode(written, &w, &h);
    ASSERT_EQ(w, 3) << c.name;
    ASSERT_EQ(h, 2) << c.name;
    if (c.exact) {
      EXPECT_EQ(pixels, (std::vector<std::uint32_t>{kRed, kWhite, kBlue, kBlue, kRed, kWhite}));
    }
    EXPECT_GT(vell::GreenOf(pixels[1]), 200) << c.name;  // white stays (nearly) white
    EXPECT_LT(vell::GreenOf(pixels[0]), 160) << c.name;
  }
  fileName.SetPath(In("h.eps"));
  ASSERT_EQ(Save(), SaveOutcome::Written);
  EXPECT_EQ(ReadBytes(In("h.eps")).rfind("%!PS-Adobe-3.0 EPSF-3.0", 0), 0u);
  // Nothing but the files themselves: no temporary file in the folder or in the user's temp folder.
  EXPECT_EQ(folder->Names().size(), 8u);
  EXPECT_TRUE(temporary.Names().empty());
  EXPECT_TRUE(fake.ui.shown.empty());
  EXPECT_FALSE(host.busy);
}

TEST_F(SaveImageTest, NamingBranches) {
  struct Case {
    const char* label;
    const char* name;
    std::int16_t autoName;
    std::vector<std::string> existing;
    std::vector<MsgAnswer> answers;
    std::vector<std::optional<std::string>> dialogNames;  // relative to the folder
    SaveOutcome outcome;
    const char* written;  // the file that now holds the picture, "" for none
  };
  const Case cases[] = {
      {"numbering skips taken numbers",
       "shot",
       1,
       {"shot0.png", "shot1.png"},
       {},
       {},
       SaveOutcome::Written,
       "shot2.png"},
      {"numbering starts at the name's number",
       "shot7",
       1,
       {"shot7.png"},
       {},
       {},
       SaveOutcome::Written,
       "shot8.png"},
      {"free name", "shot", 0, {}, {}, {}, SaveOutcome::Written, "shot.png"},
      {"overwrite: yes", "shot", 0, {"shot.png"}, {MsgAnswer::Yes}, {}, SaveOutcome::Written, "shot.png"},
      {"overwrite: no, new free name",
       "shot",
       0,
       {"shot.png"},
       {MsgAnswer::No},
       {"other"},
       SaveOutcome::Written,
       "other.png"},
      {"overwrite: no, new taken name asked again",
       "shot",
       0,
       {"shot.png", "other.png"},
       {MsgAnswer::No, MsgAnswer::Yes},
       {"other.png"},
       SaveOutcome::Written,
       "other.png"},
      {"overwrite: no, dialog cancelled",
       "shot",
       0,
       {"shot.png"},
       {MsgAnswer::No},
       {std::nullopt},
       SaveOutcome::NotWritten,
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    folder = std::make_unique<ScratchFolder>();
    for (const std::string& name : c.existing)
      WriteBytes(In(name), "old");
    fake.ui.shown.clear();
    for (MsgAnswer a : c.answers)
      fake.ui.Expect(a);
    for (const auto& name : c.dialogNames) {
      fake.ui.saveAnswers.push_back(name ? std::optional<std::string>(In(*name)) : std::nullopt);
    }
    autoName = c.autoName;
    fileName.SetPath(In(c.name));
    EXPECT_EQ(Save(), c.outcome);
    if (*c.written != '\0') {
      EXPECT_EQ(ReadBytes(In(c.written)).rfind("\x89PNG", 0), 0u);
    }
    for (const std::string& name : c.existing) {
      if (name != c.written) {
        EXPECT_EQ(ReadBytes(In(name)), "old");
      }
    }
    EXPECT_TRUE(fake.ui.answers.empty() && fake.ui.saveAnswers.empty());
    EXPECT_EQ(fake.ui.shown.size(), c.answers.size());
    if (!c.answers.empty()) {
      // Host paths have no backslash, so the file name shown is the whole path here.
      EXPECT_EQ(fake.ui.shown[0].text, In("shot.png") + " has already existed.\n\rDo you want to overwrite?");
      EXPECT_EQ(fake.ui.shown[0].title, "Warning!");
    }
  }
}

// Without a temporary folder the intermediate BMP of a JPEG is made beside the target, never in
// the current folder, and removed again.
TEST_F(SaveImageTest, JpegWithoutTemporaryFolderStagesBesideTheTarget) {
  fake.output.temporaryFolder.clear();
  fileName.SetPath(In("d.jpg"));
  ASSERT_EQ(Save(), SaveOutcome::Written);
  int w = 0, h = 0;
  EXPECT_EQ(Decode(In("d.jpg"), &w, &h).size(), 6u);
  ASSERT_EQ(disk.deleted.size(), 1u);
  EXPECT_EQ(disk.deleted[0].rfind(In("_"), 0), 0u) << disk.deleted[0];
  EXPECT_EQ(folder->Names(), std::vector<std::string>{"d.jpg"});
}

// The probe already finds the folder missing: the picture is not lost but offered elsewhere.
TEST_F(SaveImageTest, MissingFolderIsToldAndNothingIsWritten) {
  fileName.SetPath(In("nosuch/shot.png"));
  fake.ui.Expect(MsgAnswer::No);
  EXPECT_EQ(Save(), SaveOutcome::Failed);
  ExpectOneMessage(
      "Failed to output to the file.\r\n" + In("nosuch/shot.png") +
          "\xC2\xA0\r\nThe folder does not exist.\r\n\r\nDo you want to save the picture somewhere else?",
      "Error");
  EXPECT_TRUE(folder->Names().empty());
}

// Saved elsewhere by the usual rules: a file there is replaced only when the user agrees.
TEST_F(SaveImageTest, RescueAsksBeforeReplacingAFile) {
  WriteBytes(In("old.png"), "old");
  fileName.SetPath(In("nosuch/shot.png"));
  fake.ui.Expect(MsgAnswer::Yes);                // save elsewhere
  fake.ui.saveAnswers.push_back(In("old.png"));  // a file that exists
  fake.ui.Expect(MsgAnswer::No);                 // not over it
  fake.ui.saveAnswers.push_back(In("new"));
  EXPECT_EQ(Save(), SaveOutcome::Written);
  ASSERT_EQ(fake.ui.shown.size(), 2u);
  EXPECT_EQ(fake.ui.shown[1].text, In("old.png") + " has already existed.\n\rDo you want to overwrite?");
  EXPECT_EQ(ReadBytes(In("old.png")), "old");
  EXPECT_EQ(ReadBytes(In("new.png")).rfind("\x89PNG", 0), 0u);
  EXPECT_EQ(fileName.Path(), In("nosuch/shot.png"));
}

TEST_F(SaveImageTest, NoNameAsksFirst) {
  fake.ui.Expect(MsgAnswer::No);
  EXPECT_EQ(Save(), SaveOutcome::NotWritten);
  ExpectOneMessage(
      "The filename is not be inputted.\r\nYou have to input filename to output.\r\r\nDo you want to output "
      "to "
      "file?",
      "Warning!");
  EXPECT_EQ(host.placements, std::vector<bool>{true});  // the capture windows go back on top

  fake.ui.shown.clear();
  fake.ui.Expect(MsgAnswer::Yes);
  fake.ui.saveAnswers.push_back(In("chosen"));
  EXPECT_EQ(Save(), SaveOutcome::Written);
  EXPECT_EQ(fileName.Path(), In("chosen"));  // the Save dialog's name is kept
  EXPECT_EQ(fake.ui.saveDialogsShown.back().DialogTitle, "Output Filename");
  EXPECT_EQ(folder->Names(), std::vector<std::string>{"chosen.png"});
}

TEST_F(SaveImageTest, LibraryLeavingNoFileIsAFailure) {
  SilentPngImaging silent;
  fileName.SetPath(In("shot.png"));
  fake.output.systemErrorTexts[EIO] = "Input/output error";
  fake.ui.Expect(MsgAnswer::No);
  EXPECT_EQ(Save(&silent), SaveOutcome::Failed);
  ExpectOneMessage(
      "Failed to output to the file.\r\n" + In("shot.png") +
          "\xC2\xA0\r\nInput/output error\r\n\r\nDo you want to save the picture somewhere else?",
      "Error");
  EXPECT_FALSE(host.busy);
}

}  // namespace
}  // namespace snapwell::testing
