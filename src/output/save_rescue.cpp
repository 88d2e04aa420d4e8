#include "output/save_rescue.h"

#include "output/naming.h"
#include "output/save_image.h"
#include "text/messages.h"

namespace snapwell {
namespace {

// The entry of a format in the filter BuildFileFilter makes: all formats first, then the six in
// the order of ExtensionTable (BMP 2 … PGM 7).
int FilterEntryOf(SaveFormat format) {
  switch (format) {
    case SaveFormat::Bmp:
      return 2;
    case SaveFormat::Jpeg:
      return 3;
    case SaveFormat::Png:
      return 4;
    case SaveFormat::Eps:
      return 5;
    case SaveFormat::Ppm:
      return 6;
    case SaveFormat::Pgm:
      return 7;
  }
  return 2;
}

}  // namespace

std::string FailureReason(const WriteFailure& failure, const Texts& texts, const OutputDevices& devices) {
  if (!failure.detail.empty()) return failure.detail;
  switch (failure.failure.kind) {
    case FileError::NotFound:  // a file of the path vanished: its folder, as far as writing goes
    case FileError::PathNotFound:
      return std::string(texts(kTextFolderMissing));
    case FileError::AccessDenied:
      return std::string(texts(kTextAccessDenied));
    case FileError::DiskFull:
      return std::string(texts(kTextDiskFull));
    case FileError::BadName:
      return std::string(texts(kTextBadName));
    case FileError::None:
    case FileError::Other:
      break;
  }
  std::string words = devices.SystemErrorText(failure.failure.systemCode);
  if (!words.empty()) return words;
  return UnexpectedErrorText(texts, static_cast<long>(failure.failure.systemCode));
}

std::string WriteFailureText(const WriteFailure& failure, const Texts& texts, const OutputDevices& devices) {
  std::string text(texts(134));
  // A no-break space closes the path: a long path is one word the box cannot break, and a box
  // may draw such a line a pixel or two past its edge; the space takes the cut, not the name.
  text += "\r\n";
  text += failure.path;
  text += "\u00A0\r\n";
  text += FailureReason(failure, texts, devices);
  text += "\r\n\r\n";
  text += texts(kTextSaveElsewhere);
  return text;
}

bool AskToSaveElsewhere(const WriteFailure& failure, const Texts& texts, const OutputDevices& devices,
                        UserInterface& ui) {
  return ui.MessageBox(WriteFailureText(failure, texts, devices), texts(119), MsgButtons::YesNo,
                       MsgIcon::Exclamation) == MsgAnswer::Yes;
}

CommonDialogState PrepareRescueDialog(const CFileName& failed, const CommonDialogState& shared,
                                      int defaultExt, const FileSystem& files, const Texts& texts) {
  CommonDialogState dialog;
  dialog.DialogTitle = std::string(texts(184));
  dialog.Flags = shared.Flags;
  dialog.Filter = BuildFileFilter(texts, defaultExt);
  dialog.FilterIndex = FilterEntryOf(FormatOfExtension(failed.Ext()));
  dialog.DefaultExt = std::string(ExtensionTable(dialog.FilterIndex - 1));
  // The name after the last separator of either kind: Windows takes "/" as one too.
  const std::string& path = failed.Path();
  const std::string name = path.substr(path.find_last_of("\\/") + 1);
  const std::string pictures = files.PicturesFolder();
  const bool picturesThere = !pictures.empty() && files.Probe(pictures) == FileError::None;
  dialog.FileName = picturesThere ? pictures + name : name;
  return dialog;
}

}  // namespace snapwell
