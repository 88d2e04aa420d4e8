// Drives CFileName through random sequences of set operations and checks after every step that
// folder + body + extension is the path and each part has the shape its name promises; also
// feeds the same strings to CompleteExtension and AutosetFileName.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "output/file_name.h"
#include "output/naming.h"
#include "platform/paths.h"

namespace {

using snapwell::CFileName;

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckInvariants(const CFileName& f) {
  const std::string folder = f.Folder(), body = f.Body(), ext = f.Ext();
  Require(folder + body + ext == f.Path());
  Require(f.FileName() == body + ext);
  Require(folder.empty() || folder.back() == '\\');
  Require(body.find('\\') == std::string::npos);
  Require(ext.find('\\') == std::string::npos);
  Require(ext.empty() || (ext.front() == '.' && ext.find('.', 1) == std::string::npos));
  // With no extension the body holds no dot either: the last dot would have started one.
  Require(!ext.empty() || body.find('.') == std::string::npos);
}

// Every other name is taken, so numbering has to walk; names holding "!" are in a missing
// folder, names holding "#" are locked.
class HalfFullFolder : public snapwell::FileSystem {
 public:
  snapwell::FileError Probe(std::string_view path) const override {
    ++probes;
    if (path.find('!') != std::string_view::npos) return snapwell::FileError::PathNotFound;
    if (path.find('#') != std::string_view::npos) return snapwell::FileError::AccessDenied;
    return path.size() % 2 == 0 ? snapwell::FileError::None : snapwell::FileError::NotFound;
  }
  snapwell::FileError DeleteFile(std::string_view) override { return snapwell::FileError::None; }
  std::string PicturesFolder() const override { return "C:\\Users\\me\\Pictures\\"; }
  std::vector<std::string> FindFiles(std::string_view) const override { return {}; }
  std::optional<std::string> ReadFile(std::string_view, snapwell::FileError* error) const override {
    if (error != nullptr) *error = snapwell::FileError::NotFound;
    return std::nullopt;
  }
  mutable long probes = 0;
};

class SilentUi : public snapwell::UserInterface {
 public:
  snapwell::MsgAnswer MessageBox(std::string_view, std::string_view, snapwell::MsgButtons,
                                 snapwell::MsgIcon) override {
    ++boxes;
    return snapwell::MsgAnswer::Ok;
  }
  void Beep() override {}
  bool ShowSaveDialog(snapwell::CommonDialogState&) override { return false; }
  bool ShowPrinterDialog(snapwell::CommonDialogState&) override { return false; }
  int boxes = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  CFileName f;
  CheckInvariants(f);
  // Records: one operation byte, one length byte, then that many bytes of value.
  while (input.size() >= 2) {
    const unsigned op = static_cast<unsigned char>(input[0]) % 5;
    const std::size_t length = std::min<std::size_t>(static_cast<unsigned char>(input[1]), input.size() - 2);
    const std::string_view value = input.substr(2, length);
    input.remove_prefix(2 + length);
    const std::string before = f.Path();
    switch (op) {
      case 0:
        f.SetPath(value);
        Require(f.Path() == value);
        break;
      case 1:
        f.SetFolder(value);
        break;
      case 2:
        f.SetBody(value);
        break;
      case 3:
        f.SetExt(value);
        break;
      case 4:
        f.SetFileName(value);
        break;
    }
    CheckInvariants(f);
    // A plain body (no dot, no backslash) comes back as it was set.
    if (op == 2 && value.find_first_of(".\\") == std::string_view::npos) Require(f.Body() == value);
  }

  const snapwell::Texts texts(snapwell::Language::English);
  const CFileName completed = snapwell::CompleteExtension(f, false, static_cast<int>(size % 9), 1);
  Require(completed.Path().compare(0, f.Path().size(), f.Path()) == 0);
  Require(snapwell::IsRecognisedExtension(completed.Ext()));

  HalfFullFolder files;
  SilentUi ui;
  const auto numbered = snapwell::AutosetFileName(f, files, ui, texts);
  Require(files.probes <= snapwell::kNumberedNames);
  Require(ui.boxes <= 1);
  if (numbered) CheckInvariants(*numbered);
  // Numbering only touches the digits at the end of the body (of the resolved name).
  if (numbered && !f.Path().empty()) {
    const CFileName resolved(snapwell::ResolvePath(f.Path(), files.PicturesFolder()));
    Require(numbered->Folder() == resolved.Folder() && numbered->Ext() == resolved.Ext());
  }
  if (!numbered) Require(ui.boxes == 1);
  return 0;
}
