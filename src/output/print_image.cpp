#include "output/print_image.h"

#include <memory>
#include <string>

namespace snapwell {
namespace {

void Tell(UserInterface& ui, const Texts& texts, int id, int hint = 0) {
  std::string text(texts(id));
  if (hint != 0) {
    text += "\r\n";
    text += texts(hint);
  }
  ui.MessageBox(text, texts(119), MsgButtons::Ok, MsgIcon::Exclamation);
}

}  // namespace

bool CopyToClipboard(const Picture& picture, OutputDevices& devices, UserInterface& ui, const Texts& texts) {
  const std::unique_ptr<ClipboardContent> content = devices.MakeClipboardContent(picture);
  ClipboardResult result = content ? ClipboardResult::Busy : ClipboardResult::Failed;
  for (int attempt = 0; content && attempt < kClipboardAttempts; ++attempt) {
    if (attempt > 0) devices.Pause(kClipboardPauseMs);
    result = devices.PlaceOnClipboard(*content);
    if (result != ClipboardResult::Busy) break;
  }
  if (result == ClipboardResult::Done) return true;
  Tell(ui, texts, result == ClipboardResult::Busy ? kTextClipboardBusy : kTextClipboardFailed);
  return false;
}

bool PrintImage(const Picture& picture, OutputDevices& devices, std::int32_t copies,
                std::string_view documentName, UserInterface& ui, const Texts& texts) {
  bool ok = devices.StartPrintDocument(documentName);
  for (std::int32_t copy = 1; ok && copy <= copies; ++copy)
    ok = devices.DrawPrintPicture(picture, 0, 0) && devices.EndPrintPage();
  ok = ok && devices.EndPrintDocument();
  if (ok) return true;
  devices.AbortPrintDocument();
  Tell(ui, texts, kTextPrintFailed, kTextPrintHint);
  return false;
}

bool PrinterSetup(CommonDialogState& dialog, std::int32_t& printCopies, UserInterface& ui) {
  const long saveFlags = dialog.Flags;
  dialog.Flags = kPrintSetupFlags;
  if (!ui.ShowPrinterDialog(dialog)) {
    dialog.Flags = saveFlags;
    return false;
  }
  dialog.Flags = kSaveAfterPrintFlags;
  printCopies = static_cast<std::int16_t>(dialog.Copies);
  return true;
}

bool CheckOutputTarget(std::int16_t outputs, UserInterface& ui, const Texts& texts) {
  if (outputs != 0) return true;
  ui.MessageBox(texts(155), texts(120), MsgButtons::Ok, MsgIcon::Exclamation);
  return false;
}

}  // namespace snapwell
