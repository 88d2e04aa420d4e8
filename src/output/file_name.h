// The output file name: one path split into folder, body and extension, each of which can be
// replaced on its own. Paths are UTF-8 with backslashes; only "\" separates folders and only
// the last dot after the last backslash starts the extension.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace snapwell {

// The extensions selected by the `DefaultExt` setting, numbered 1 to 6.
inline constexpr int kExtensionCount = 6;
inline constexpr std::array<std::string_view, kExtensionCount> kExtensions = {".bmp", ".jpg", ".png",
                                                                              ".eps", ".ppm", ".pgm"};

// ExtensionTable(1) = ".bmp" ... ExtensionTable(6) = ".pgm"; an index outside 1..6 (a damaged
// setting) gives ".bmp" so a file always gets a type the saving code knows.
constexpr std::string_view ExtensionTable(int index) {
  return index >= 1 && index <= kExtensionCount ? kExtensions[static_cast<std::size_t>(index - 1)]
                                                : kExtensions[0];
}

class CFileName {
 public:
  CFileName() { SetPath(""); }
  explicit CFileName(std::string_view path) { SetPath(path); }

  std::string Body() const;
  void SetBody(std::string_view value);
  std::string Ext() const;  // with its dot, or empty
  void SetExt(std::string_view value);
  std::string FileName() const;  // body and extension
  void SetFileName(std::string_view value);
  std::string Folder() const;  // with its trailing backslash, or empty
  void SetFolder(std::string_view value);
  const std::string& Path() const { return path_; }
  void SetPath(std::string_view value);

  friend bool operator==(const CFileName& a, const CFileName& b) { return a.path_ == b.path_; }

 private:
  void Parse();

  std::string path_;
  std::size_t folderLength_ = 0;  // including the trailing backslash
  std::size_t bodyLength_ = 0;
  std::size_t extLength_ = 0;  // including the dot
};

}  // namespace snapwell
