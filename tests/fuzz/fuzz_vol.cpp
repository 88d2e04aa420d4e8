// Arbitrary bytes as a frame template list: build the shape list from it and load each of its
// first entries for a capture, with one sound template file beside it.
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frames/capture_template.h"
#include "frames/shape_list.h"

namespace {

class MemoryFileSystem : public snapwell::FileSystem {
 public:
  snapwell::FileError Probe(std::string_view path) const override {
    return files.count(std::string(path)) > 0 ? snapwell::FileError::None : snapwell::FileError::NotFound;
  }
  snapwell::FileError DeleteFile(std::string_view) override { return snapwell::FileError::AccessDenied; }
  std::string PicturesFolder() const override { return {}; }
  std::vector<std::string> FindFiles(std::string_view) const override { return {}; }
  std::optional<std::string> ReadFile(std::string_view path, snapwell::FileError* error) const override {
    const auto it = files.find(std::string(path));
    if (error != nullptr)
      *error = it == files.end() ? snapwell::FileError::NotFound : snapwell::FileError::None;
    if (it == files.end()) return std::nullopt;
    return it->second;
  }

  std::map<std::string, std::string> files;
};

class SilentUserInterface : public snapwell::UserInterface {
 public:
  snapwell::MsgAnswer MessageBox(std::string_view, std::string_view, snapwell::MsgButtons,
                                 snapwell::MsgIcon) override {
    return snapwell::MsgAnswer::Ok;
  }
  void Beep() override {}
  bool ShowSaveDialog(snapwell::CommonDialogState&) override { return false; }
  bool ShowPrinterDialog(snapwell::CommonDialogState&) override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  MemoryFileSystem files;
  files.files["C:\\app\\default.vol"] = std::string(reinterpret_cast<const char*>(data), size);
  files.files["C:\\app\\a.vod"] = "A,10,10,0,0,1\r\nL,0,0,9,9,0,0,0,0\r\n";
  SilentUserInterface ui;
  const snapwell::Texts texts(snapwell::Language::English);
  const snapwell::ShapeList list =
      snapwell::SetVariOutLineList(files, ui, texts, "default.vol", "C:\\app\\", 3);
  if (list.items.empty() || list.variLineShape < 0 ||
      static_cast<std::size_t>(list.variLineShape) >= list.items.size()) {
    __builtin_trap();
  }
  snapwell::CVellFrame frame;
  for (std::int16_t entry = 0; entry <= 4; ++entry) {
    snapwell::LoadCaptureTemplate(frame, files, ui, texts, "default.vol", entry, "C:\\app\\");
  }
  return 0;
}
