// Arbitrary bytes as a frame template file: read it, judge it, draw it and build its mask.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "frames/template_drawing.h"
#include "frames/vell_frame.h"

namespace {

// One file in memory at a fixed path; every other path is missing.
class OneFileSystem : public snapwell::FileSystem {
 public:
  OneFileSystem(std::string path, std::string data) : path_(std::move(path)), data_(std::move(data)) {}
  snapwell::FileError Probe(std::string_view path) const override {
    return path == path_ ? snapwell::FileError::None : snapwell::FileError::NotFound;
  }
  snapwell::FileError DeleteFile(std::string_view) override { return snapwell::FileError::AccessDenied; }
  std::string PicturesFolder() const override { return {}; }
  std::vector<std::string> FindFiles(std::string_view) const override { return {}; }
  std::optional<std::string> ReadFile(std::string_view path, snapwell::FileError* error) const override {
    if (path != path_) {
      if (error != nullptr) *error = snapwell::FileError::NotFound;
      return std::nullopt;
    }
    if (error != nullptr) *error = snapwell::FileError::None;
    return data_;
  }

 private:
  std::string path_;
  std::string data_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const OneFileSystem files("C:\\app\\t.vod", std::string(reinterpret_cast<const char*>(data), size));
  snapwell::CVellFrame frame;
  const snapwell::TemplateReadResult result = frame.ReadVODFile(files, "t.vod", "C:\\app\\");
  if (!result.Ok()) return 0;
  frame.IsSupported();
  for (std::int32_t i = 0; i <= frame.DataNum() + 1; ++i) {
    frame.ObjectType(i);
    frame.Value(i, static_cast<std::int16_t>(i % 10));
  }
  // Drawing is for outlines of a sensible length; the reader has already done its part.
  if (frame.DataNum() > 64) return 0;
  static const std::unique_ptr<snapwell::Imaging> imaging = snapwell::CreateImaging();
  snapwell::Picture surface(48, 40), board1(48, 40), board2(52, 44), board3(48, 40);
  snapwell::DrawTemplateOutline(frame, *imaging, board3, -1, -1, 30, 20, 0, 6);
  snapwell::BuildTemplateMask(frame, *imaging, {surface, board1, board2, board3, 48, 40}, 3, 2, 41, 33);
  return 0;
}
