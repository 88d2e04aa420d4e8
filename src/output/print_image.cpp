#include "output/print_image.h"

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
  ClipboardResult result = ClipboardResult::Busy;
  for (int attempt = 0; attempt < kClipboardAttempts; ++attempt) {
    if (attempt > 0) devices.Pause(kClipboardPauseMs);
    result = devices.SetClipboardPicture(picture);
    if (result != ClipboardResult::Busy) break;
  }
  if (result == ClipboardResult::Done) return true;
  Tell(ui, texts, result == ClipboardResult::Busy ? kTextClipboardBusy : kTextClipboardFailed);
  return false;
}

bool PrintImage(OutputDevices& devices, std::int32_t copies, std::string_view documentName,
                const Picture* direct, UserInterface& ui, const Texts& texts) {
  bool ok = devices.StartPrintDocument(documentName);
  Picture fromClipboard;
  for (std::int32_t copy = 1; ok && copy <= copies; ++copy) {
    const Picture* page = direct;
    if (page == nullptr) {
      ok = devices.GetClipboardPicture(fromClipboard) && !fromClipboard.Empty();
      page = &fromClipboard;
    }
    ok = ok && devices.DrawPrintPicture(*page, 0, 0) && devices.EndPrintPage();
  }
  ok = ok && devices.EndPrintDocument();
  if (ok) return true;
  devices.AbortPrintDocument();
  Tell(ui, texts, kTextPrintFailed, kTextPrintHint);
  return false;
}

}  // namespace snapwell
