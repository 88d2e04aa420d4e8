// The clipboard and printer outputs, the printer set-up and the output-target check, on the fake
// devices: what reaches the clipboard and the pages, how often a held clipboard is tried, and the
// dialog values the set-up leaves.
#include "output/print_image.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace snapwell::testing {
namespace {

class ClipboardPrinterTest : public ::testing::Test {
 protected:
  ClipboardPrinterTest() {
    picture.SetPixel(0, 0, 0xFF0000);
    picture.SetPixel(2, 1, 0x0000FF);
  }
  void ExpectMessage(const char* text) {
    ASSERT_EQ(fake.ui.shown.size(), 1u);
    EXPECT_EQ(fake.ui.shown[0].text, text);
    EXPECT_EQ(fake.ui.shown[0].title, "Error");
  }

  FakePlatform fake;
  Texts texts;
  Picture picture{3, 2};
  const PixelCopy theirs{1, 1, {0x123456}};  // what another program copied
};

TEST_F(ClipboardPrinterTest, PrinterPrintsThePictureAndLeavesTheClipboardAlone) {
  fake.output.clipboard = theirs;
  ASSERT_TRUE(PrintImage(picture, fake.output, 2, "VellOut", fake.ui, texts));
  ASSERT_EQ(fake.output.documents.size(), 1u);
  const PrintedDocument& document = fake.output.documents[0];
  EXPECT_EQ(document.name, "VellOut");
  EXPECT_TRUE(document.ended);
  ASSERT_EQ(document.pages.size(), 2u);
  for (const PixelCopy& page : document.pages)
    EXPECT_EQ(page.pixels, CopyPixels(picture).pixels);
  EXPECT_EQ(fake.output.clipboard->pixels, theirs.pixels);
  EXPECT_EQ(fake.output.clipboardAttempts, 0);
}

TEST_F(ClipboardPrinterTest, NoCopiesEndAnEmptyDocumentAndNoPrinterIsTold) {
  ASSERT_TRUE(PrintImage(picture, fake.output, 0, "VellOut", fake.ui, texts));
  EXPECT_TRUE(fake.output.documents.at(0).ended);
  EXPECT_TRUE(fake.output.documents[0].pages.empty());
  fake.output.noPrinter = true;
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_FALSE(PrintImage(picture, fake.output, 1, "VellOut", fake.ui, texts));
  ExpectMessage("The picture could not be printed.\r\nCheck that a printer is installed and ready.");
}

// A clipboard another program holds costs one making of the content and up to 40 attempts to
// place it, 50 ms apart.
TEST_F(ClipboardPrinterTest, HeldClipboardIsTriedAgainWithTheContentMadeOnce) {
  struct Case {
    int busyFor;  // -1: held throughout
    bool copied;
    int attempts;
  };
  const Case cases[] = {{0, true, 1}, {3, true, 4}, {39, true, 40}, {-1, false, 40}};
  for (const Case& c : cases) {
    FakePlatform f;
    f.output.clipboardBusyFor = c.busyFor;
    if (!c.copied) f.ui.Expect(MsgAnswer::Ok);
    EXPECT_EQ(CopyToClipboard(picture, f.output, f.ui, texts), c.copied) << c.busyFor;
    EXPECT_EQ(f.output.clipboardContents, 1) << c.busyFor;
    EXPECT_EQ(f.output.clipboardAttempts, c.attempts) << c.busyFor;
    EXPECT_EQ(f.output.paused, 50 * (c.attempts - 1)) << c.busyFor;
    EXPECT_EQ(f.output.clipboard.has_value(), c.copied) << c.busyFor;
    if (c.copied) {
      EXPECT_EQ(f.output.clipboard->pixels, CopyPixels(picture).pixels);
    } else {
      ASSERT_EQ(f.ui.shown.size(), 1u);
      EXPECT_EQ(f.ui.shown[0].text,
                "The picture could not be copied to the clipboard, because another program is using it.");
    }
  }
}

TEST_F(ClipboardPrinterTest, ContentThatCannotBeMadeIsToldWithoutAttempts) {
  fake.output.clipboardFails = true;
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_FALSE(CopyToClipboard(picture, fake.output, fake.ui, texts));
  EXPECT_EQ(fake.output.clipboardAttempts, 0);
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].text, "The picture could not be copied to the clipboard.");
}

// Print flags 0x10000C while the set-up is up; after OK the shared dialog keeps the Save flags
// 0x208004 and the copies; a cancel changes nothing.
TEST_F(ClipboardPrinterTest, PrinterSetupTakesTheCopiesOnlyOnOk) {
  CommonDialogState dialog;
  dialog.Flags = 0;
  dialog.Copies = 2;
  std::int32_t copies = 1;
  fake.ui.printAnswers = {std::nullopt, 3};
  EXPECT_FALSE(PrinterSetup(dialog, copies, fake.ui));
  EXPECT_EQ(dialog.Flags, 0);
  EXPECT_EQ(copies, 1);
  EXPECT_TRUE(PrinterSetup(dialog, copies, fake.ui));
  EXPECT_EQ(dialog.Flags, 0x208004);
  EXPECT_EQ(copies, 3);
  ASSERT_EQ(fake.ui.printDialogsShown.size(), 2u);
  EXPECT_EQ(fake.ui.printDialogsShown[0].Flags, 0x10000C);
  EXPECT_EQ(fake.ui.printDialogsShown[0].Copies, 2);
}

TEST_F(ClipboardPrinterTest, NoOutputTargetIsTheOnlyRefusal) {
  for (std::int16_t outputs = 1; outputs <= 7; ++outputs)
    EXPECT_TRUE(CheckOutputTarget(outputs, fake.ui, texts)) << outputs;
  EXPECT_TRUE(fake.ui.shown.empty());
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_FALSE(CheckOutputTarget(0, fake.ui, texts));
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].text, "No output Target is specified.");
  EXPECT_EQ(fake.ui.shown[0].title, "Warning!");
}

}  // namespace
}  // namespace snapwell::testing
