// Shared pieces of the file-writer tests: scratch folders, pictures with a stride wider than
// their width, and reading files back.
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "pixel_view.h"

namespace snapwell::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "snapwell-enc-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    path_ = ::mkdtemp(name.data());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string Path(const std::string& name) const { return (path_ / name).string(); }
  // Every name in the folder, to see that no temporary file stayed behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
      names.push_back(entry.path().filename());
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline void MakeReadOnly(const std::string& path) {
  ::chmod(path.c_str(), 0444);
}

// Pixels kept with a few spare pixels at the end of every row, as in a larger picture.
struct TestPicture {
  int width = 0;
  int height = 0;
  int stride = 0;
  std::vector<std::uint32_t> pixels;

  TestPicture(int w, int h)
      : width(w), height(h), stride(w + 3), pixels(static_cast<std::size_t>(stride) * h, 0xDEAD00) {}
  std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * stride + x]; }
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * stride + x]; }
  vell::ConstPixelView View() const { return {pixels.data(), width, height, stride}; }
};

inline TestPicture RandomPicture(int w, int h, unsigned seed) {
  TestPicture picture(w, h);
  std::mt19937 random(seed);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      picture.At(x, y) = random() & 0xFFFFFF;
  return picture;
}

// Every pixel, rows top-down.
inline std::vector<std::uint32_t> Pixels(const TestPicture& picture) {
  std::vector<std::uint32_t> out;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      out.push_back(picture.At(x, y));
  return out;
}

// The samples R, G, B of every pixel, rows top-down, as PPM and EPS hold them.
inline std::string RgbSamples(const TestPicture& picture) {
  std::string out;
  for (std::uint32_t p : Pixels(picture))
    out += {static_cast<char>(vell::RedOf(p)), static_cast<char>(vell::GreenOf(p)),
            static_cast<char>(vell::BlueOf(p))};
  return out;
}

// An "F" in two colours on white: any flip, turn or swap of red and blue shows.
inline TestPicture LetterF(int w = 5, int h = 7) {
  TestPicture picture(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      picture.At(x, y) = vell::Rgb(255, 255, 255);
  for (int y = 0; y < h; ++y)
    picture.At(0, y) = vell::Rgb(200, 30, 10);
  for (int x = 1; x < w; ++x)
    picture.At(x, 0) = vell::Rgb(10, 40, 220);
  for (int x = 1; x < w - 1; ++x)
    picture.At(x, h / 2) = vell::Rgb(10, 40, 220);
  return picture;
}

// A smooth picture (gradients only), which a JPEG file keeps closely.
inline TestPicture SmoothPicture(int w, int h) {
  TestPicture picture(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      picture.At(x, y) = vell::Rgb(x * 255 / w, y * 255 / h, 128 + (x - y) * 64 / (w + h));
  return picture;
}

}  // namespace snapwell::testing
