#include "output/save_image.h"

#include <optional>
#include <random>

#include "output/bmp_file.h"
#include "output/naming.h"
#include "output/save_dialog.h"
#include "platform/paths.h"
#include "text/messages.h"

namespace snapwell {
namespace {

constexpr int kTemporaryNameTries = 100;
constexpr std::int64_t kSmallestBmp = kBmpHeaderSize + 4;

std::string LowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

class Saver {
 public:
  Saver(const Picture& picture, SaveImageContext& context) : picture_(picture), c_(context) {}

  SaveOutcome Run();

 private:
  enum class NameStep { Chosen, NoName, Cancelled };

  NameStep AskForName();
  std::optional<SaveOutcome> SettleName(CFileName& working);
  SaveOutcome Write(const CFileName& working);
  SaveOutcome WriteJpeg(const std::string& target);
  bool Complete(const std::string& path, std::int64_t atLeast) const;
  SaveOutcome ReportProbeFailure(FileError error);
  SaveOutcome ReportWriteFailure(FileError error, const std::string& detail = {});

  const Picture& picture_;
  SaveImageContext& c_;
};

// The Save dialog step, the chosen name stored in FileName. The capture windows step back so
// the dialog can be seen.
Saver::NameStep Saver::AskForName() {
  c_.host.PlaceOwnWindows(false);
  if (!AskForOutputName(c_.CommonDialog1, c_.FileName, c_.DefaultExt, c_.texts, c_.ui)) {
    c_.host.ShowBusy(false);
    return NameStep::Cancelled;
  }
  return c_.FileName.Path().empty() ? NameStep::NoName : NameStep::Chosen;
}

SaveOutcome Saver::ReportProbeFailure(FileError error) {
  const int number = FileErrorNumber(error);
  if (error == FileError::PathNotFound || error == FileError::Other) {
    c_.ui.MessageBox(c_.texts(135), c_.texts(119), MsgButtons::Ok, MsgIcon::Exclamation);
  } else {
    c_.ui.MessageBox(UnexpectedErrorText(c_.texts, number), UnexpectedErrorTitle("frmMain", "SaveImage"),
                     MsgButtons::Ok, MsgIcon::Exclamation);
  }
  return SaveOutcome::Failed;
}

SaveOutcome Saver::ReportWriteFailure(FileError error, const std::string& detail) {
  std::string text(error == FileError::PathNotFound ? c_.texts(135) : c_.texts(134));
  if (!detail.empty()) text += "\r\n" + detail;
  c_.ui.MessageBox(text, c_.texts(119), MsgButtons::Ok, MsgIcon::Exclamation);
  c_.host.ShowBusy(false);
  return SaveOutcome::Failed;
}

// Steps 4 to 6: the name finally written, numbered or confirmed for overwriting. Nothing when
// there is one; otherwise why not.
std::optional<SaveOutcome> Saver::SettleName(CFileName& working) {
  for (;;) {
    const CFileName completed = CompleteExtension(c_.FileName, true, 0, c_.DefaultExt);
    // A relative name lies in the user's Pictures folder.
    working.SetPath(ResolvePath(completed.Path(), c_.files.PicturesFolder()));
    if (c_.AutoName == 1) {
      const std::optional<CFileName> numbered = AutosetFileName(working, c_.files, c_.ui, c_.texts);
      if (!numbered) return SaveOutcome::Failed;  // told there
      working = *numbered;
      return std::nullopt;
    }
    const FileError probe = c_.files.Probe(working.Path());
    if (probe == FileError::NotFound) return std::nullopt;
    if (probe != FileError::None) return ReportProbeFailure(probe);
    std::string question = working.FileName();
    question += c_.texts(132);
    question += "\n\r";
    question += c_.texts(133);
    if (c_.ui.MessageBox(question, c_.texts(120), MsgButtons::YesNo, MsgIcon::Exclamation) ==
        MsgAnswer::Yes) {
      return std::nullopt;
    }
    // A new name from the Save dialog is checked like the first one.
    const NameStep step = AskForName();
    if (step != NameStep::Chosen) return SaveOutcome::NotWritten;
  }
}

bool Saver::Complete(const std::string& path, std::int64_t atLeast) const {
  const std::optional<std::int64_t> length = c_.devices.FileLength(path);
  return length && *length >= atLeast;
}

SaveOutcome Saver::WriteJpeg(const std::string& target) {
  // The intermediate BMP goes to the user's temporary folder under a name no file has; when the
  // system names no temporary folder, to the target's own folder, never to the current one.
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<int> letter(0, 23);
  std::string folder = c_.devices.TemporaryFolder();
  if (folder.empty()) folder = target.substr(0, target.find_last_of("\\/") + 1);  // either separator
  if (folder.empty()) return ReportWriteFailure(FileError::PathNotFound);
  std::string temporary;
  for (int i = 0; i < kTemporaryNameTries && temporary.empty(); ++i) {
    const std::string candidate = folder + TemporaryBmpName([&] { return letter(random); });
    const FileError probe = c_.files.Probe(candidate);
    if (probe == FileError::NotFound)
      temporary = candidate;
    else if (probe != FileError::None)
      return ReportWriteFailure(FileError::Other);
  }
  if (temporary.empty()) return ReportWriteFailure(FileError::Other);

  // The BMP is written and renamed into place before WriteBmpFile returns, so its length is final
  // at once; it is checked once instead of being watched.
  struct Remover {
    FileSystem& files;
    const std::string& path;
    ~Remover() { files.DeleteFile(path); }
  } remover{c_.files, temporary};
  if (WriteBmpFile(temporary, picture_.View()) != FileError::None || !Complete(temporary, kSmallestBmp)) {
    return ReportWriteFailure(FileError::Other);
  }
  const std::int16_t result = c_.imaging.SavetoJPEG(temporary, target, 85, 0);
  if (result != 1 || !Complete(target, 1)) return ReportWriteFailure(FileError::Other);
  return SaveOutcome::Written;
}

SaveOutcome Saver::Write(const CFileName& working) {
  c_.host.ShowBusy(true);
  const std::string& target = working.Path();
  const int w = picture_.Width(), h = picture_.Height();
  try {
    bool done = true;
    switch (FormatOfExtension(working.Ext())) {
      case SaveFormat::Eps:
        done = c_.imaging.SaveAsEPS(target, picture_, 0, 0, w, h);
        break;
      case SaveFormat::Png:
        done = c_.imaging.SaveAsPNG(target, picture_, 0, 0, w, h, 0);
        break;
      case SaveFormat::Ppm:
        done = c_.imaging.SaveAsPPM(target, picture_, 0, 0, w, h);
        break;
      case SaveFormat::Pgm:
        done = c_.imaging.SaveAsPGM(target, picture_, 0, 0, w, h);
        break;
      case SaveFormat::Jpeg:
        if (WriteJpeg(target) != SaveOutcome::Written) return SaveOutcome::Failed;  // told there
        break;
      case SaveFormat::Bmp:
        if (const FileError error = WriteBmpFile(target, picture_.View()); error != FileError::None) {
          return ReportWriteFailure(error);
        }
        break;
    }
    // A library that returns without a complete file has failed, whatever it answers.
    if (!done || !Complete(target, 1)) return ReportWriteFailure(FileError::Other);
  } catch (const ImagingError& error) {
    return ReportWriteFailure(FileError::Other, error.what());
  }
  c_.host.ShowBusy(false);
  return SaveOutcome::Written;
}

SaveOutcome Saver::Run() {
  if (c_.FileName.Path().empty()) {
    std::string text(c_.texts(129));
    text += "\r\n";
    text += c_.texts(130);
    text += "\r\r\n";
    text += c_.texts(131);
    if (c_.ui.MessageBox(text, c_.texts(120), MsgButtons::YesNo, MsgIcon::Exclamation) != MsgAnswer::Yes) {
      c_.host.PlaceOwnWindows(true);
      return SaveOutcome::NotWritten;
    }
    if (AskForName() != NameStep::Chosen) return SaveOutcome::NotWritten;
  }
  CFileName working;
  if (const std::optional<SaveOutcome> stop = SettleName(working)) return *stop;
  return Write(working);
}

}  // namespace

SaveFormat FormatOfExtension(std::string_view ext) {
  const std::string lower = LowerAscii(ext);
  if (lower == ".eps") return SaveFormat::Eps;
  if (lower == ".jpg" || lower == ".jpeg") return SaveFormat::Jpeg;
  if (lower == ".png") return SaveFormat::Png;
  if (lower == ".ppm") return SaveFormat::Ppm;
  if (lower == ".pgm") return SaveFormat::Pgm;
  return SaveFormat::Bmp;
}

std::string TemporaryBmpName(const std::function<int()>& draw) {
  std::string name = "_";
  for (int i = 0; i < 7; ++i) {
    name += static_cast<char>('a' + draw() % 24);
  }
  name += ".bmp";
  return name;
}

SaveOutcome SaveImage(const Picture& picBoard2, SaveImageContext& context) {
  return Saver(picBoard2, context).Run();
}

}  // namespace snapwell
