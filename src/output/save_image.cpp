#include "output/save_image.h"

#include <optional>
#include <random>

#include "output/bmp_file.h"
#include "output/naming.h"
#include "output/save_dialog.h"
#include "output/save_rescue.h"
#include "platform/paths.h"

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

WriteFailure FailureAt(const std::string& path, FileError kind) {
  return {path, vell::FailureOfKind(kind), {}};
}

class Saver {
 public:
  Saver(const Picture& picture, SaveImageContext& context) : picture_(picture), c_(context) {}

  SaveOutcome Run();

 private:
  enum class NameStep { Chosen, NoName, Cancelled };

  NameStep AskForName();
  bool AskToOverwrite(const CFileName& working);
  std::optional<SaveOutcome> SettleName(const CFileName* source, CFileName& working,
                                        std::optional<WriteFailure>& unwritable);
  std::optional<WriteFailure> Write(const CFileName& working);
  std::optional<WriteFailure> WriteJpeg(const std::string& target);
  bool Complete(const std::string& path, std::int64_t atLeast) const;
  SaveOutcome Rescue(WriteFailure failure, const CFileName& failed);
  bool ChooseElsewhere(CommonDialogState& dialog, CFileName& target, std::optional<WriteFailure>& unwritable);

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

bool Saver::AskToOverwrite(const CFileName& working) {
  std::string question = working.FileName();
  question += c_.texts(132);
  question += "\n\r";
  question += c_.texts(133);
  return c_.ui.MessageBox(question, c_.texts(120), MsgButtons::YesNo, MsgIcon::Exclamation) == MsgAnswer::Yes;
}

// Steps 4 to 6 from the name `source`: the name finally written, numbered or confirmed for
// overwriting. Nothing when it is settled (with `unwritable` set when its folder cannot even be
// searched: that is a failure to write there); otherwise why not.
std::optional<SaveOutcome> Saver::SettleName(const CFileName* source, CFileName& working,
                                             std::optional<WriteFailure>& unwritable) {
  for (;;) {
    const CFileName completed = CompleteExtension(*source, true, 0, c_.DefaultExt);
    // A relative name lies in the user's Pictures folder.
    working.SetPath(ResolvePath(completed.Path(), c_.files.PicturesFolder()));
    if (c_.AutoName == 1) {
      NumberedName numbered = NumberFileName(working, c_.files, c_.ui, c_.texts);
      working = std::move(numbered.name);
      if (numbered.failure != FileError::None) unwritable = FailureAt(working.Path(), numbered.failure);
      return std::nullopt;
    }
    const FileError probe = c_.files.Probe(working.Path());
    if (probe == FileError::NotFound) return std::nullopt;
    if (probe != FileError::None) {
      unwritable = FailureAt(working.Path(), probe);
      return std::nullopt;
    }
    if (AskToOverwrite(working)) return std::nullopt;
    // A new name from the Save dialog is checked like the first one.
    const NameStep step = AskForName();
    if (step != NameStep::Chosen) return SaveOutcome::NotWritten;
    source = &c_.FileName;
  }
}

bool Saver::Complete(const std::string& path, std::int64_t atLeast) const {
  const std::optional<std::int64_t> length = c_.devices.FileLength(path);
  return length && *length >= atLeast;
}

std::optional<WriteFailure> Saver::WriteJpeg(const std::string& target) {
  // The intermediate BMP goes to the user's temporary folder under a name no file has; when the
  // system names no temporary folder, to the target's own folder, never to the current one.
  std::random_device seed;
  std::mt19937 random(seed());
  std::uniform_int_distribution<int> letter(0, 23);
  std::string folder = c_.devices.TemporaryFolder();
  if (folder.empty()) folder = target.substr(0, target.find_last_of("\\/") + 1);  // either separator
  if (folder.empty()) return FailureAt(target, FileError::PathNotFound);
  std::string temporary;
  for (int i = 0; i < kTemporaryNameTries && temporary.empty(); ++i) {
    const std::string candidate = folder + TemporaryBmpName([&] { return letter(random); });
    const FileError probe = c_.files.Probe(candidate);
    if (probe == FileError::NotFound)
      temporary = candidate;
    else if (probe != FileError::None)
      return FailureAt(candidate, probe);
  }
  if (temporary.empty()) return FailureAt(folder, FileError::Other);

  // Removed whatever becomes of the JPEG. The BMP is written and renamed into place before
  // WriteBmpFile returns, so its length is final at once; it is checked once instead of watched.
  struct Remover {
    FileSystem& files;
    const std::string& path;
    ~Remover() { files.DeleteFile(path); }
  } remover{c_.files, temporary};
  FileFailure why;
  if (WriteBmpFile(temporary, picture_.View(), &why) != FileError::None)
    return WriteFailure{temporary, why, {}};
  if (!Complete(temporary, kSmallestBmp)) return FailureAt(temporary, FileError::Other);
  if (c_.imaging.SavetoJPEG(temporary, target, 85, 0) != 1) {
    return WriteFailure{target, c_.imaging.LastSaveFailure(), {}};
  }
  if (!Complete(target, 1)) return FailureAt(target, FileError::Other);
  return std::nullopt;
}

// Step 8: the picture in the format of the name's extension. Nothing when the file is complete;
// otherwise why not.
std::optional<WriteFailure> Saver::Write(const CFileName& working) {
  c_.host.ShowBusy(true);
  const std::string& target = working.Path();
  const int w = picture_.Width(), h = picture_.Height();
  std::optional<WriteFailure> failure;
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
        failure = WriteJpeg(target);
        break;
      case SaveFormat::Bmp: {
        FileFailure why;
        if (WriteBmpFile(target, picture_.View(), &why) != FileError::None)
          failure = WriteFailure{target, why, {}};
        break;
      }
    }
    if (!failure && !done) failure = WriteFailure{target, c_.imaging.LastSaveFailure(), {}};
    // A library that returns without a complete file has failed, whatever it answers.
    if (!failure && !Complete(target, 1)) failure = FailureAt(target, FileError::Other);
  } catch (const ImagingError& error) {
    failure = WriteFailure{target, vell::FailureOfKind(FileError::Other), error.what()};
  }
  c_.host.ShowBusy(false);
  return failure;
}

// The rescue's Save dialog, shown until the user picks a name that is free or may be overwritten,
// or cancels (false). A chosen name whose folder cannot even be searched comes back with
// `unwritable` set.
bool Saver::ChooseElsewhere(CommonDialogState& dialog, CFileName& target,
                            std::optional<WriteFailure>& unwritable) {
  for (;;) {
    c_.host.PlaceOwnWindows(false);
    if (!c_.ui.ShowSaveDialog(dialog)) return false;
    // A name typed without an extension takes that of the chosen file type.
    target = CompleteExtension(CFileName(dialog.FileName), false, dialog.FilterIndex, c_.DefaultExt);
    target.SetPath(ResolvePath(target.Path(), c_.files.PicturesFolder()));
    const FileError probe = c_.files.Probe(target.Path());
    if (probe == FileError::NotFound) return true;
    if (probe != FileError::None) {
      unwritable = FailureAt(target.Path(), probe);
      return true;
    }
    if (AskToOverwrite(target)) return true;
  }
}

// The picture could not be written: the user is told why and may save it somewhere else, as
// often as that fails too. No, or Cancel in the Save dialog, gives it up.
SaveOutcome Saver::Rescue(WriteFailure failure, const CFileName& failed) {
  CommonDialogState dialog = PrepareRescueDialog(failed, c_.CommonDialog1, c_.DefaultExt, c_.files, c_.texts);
  for (;;) {
    if (!AskToSaveElsewhere(failure, c_.texts, c_.devices, c_.ui)) return SaveOutcome::Failed;
    CFileName target;
    std::optional<WriteFailure> again;
    if (!ChooseElsewhere(dialog, target, again)) return SaveOutcome::Failed;
    if (!again) again = Write(target);
    if (!again) {
      if (c_.seriesName != nullptr) *c_.seriesName = target;
      return SaveOutcome::Written;
    }
    failure = std::move(*again);
    dialog = PrepareRescueDialog(target, c_.CommonDialog1, c_.DefaultExt, c_.files, c_.texts);
  }
}

SaveOutcome Saver::Run() {
  const bool inSeriesElsewhere = c_.seriesName != nullptr && !c_.seriesName->Path().empty();
  if (!inSeriesElsewhere && c_.FileName.Path().empty()) {
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
  std::optional<WriteFailure> failure;
  if (const std::optional<SaveOutcome> stop =
          SettleName(inSeriesElsewhere ? c_.seriesName : &c_.FileName, working, failure)) {
    return *stop;
  }
  if (!failure) failure = Write(working);
  if (!failure) return SaveOutcome::Written;
  return Rescue(std::move(*failure), working);
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
