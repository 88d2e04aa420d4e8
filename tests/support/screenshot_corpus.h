// The fixed screenshot corpus (scripts/screenshot-corpus --fixed): real screen grabs at 1920x1080
// and 3840x2160 kept in the repository, the same on every machine, read back as 32-bit pixels.
// The benchmarks read a folder of this machine's own grabs the same way (bench_support.h).
#pragma once

#include <png.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "pixel_view.h"

namespace snapwell::testing {

struct CorpusPicture {
  std::string name;  // "1920x1080/terminal"
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top-down
  vell::ConstPixelView View() const { return {pixels.data(), width, height, width}; }
};

inline std::string FixedCorpusFolder() {
  return std::string(SNAPWELL_SOURCE_DIR) + "/tests/corpus";
}

// Every picture of a corpus folder (one subfolder per size), in name order; empty when there is
// none. `sizeFilter` keeps only the pictures of one size ("1920x1080"), or all when empty.
inline std::vector<CorpusPicture> LoadCorpus(const std::string& folder, const std::string& sizeFilter = "") {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
    if (entry.path().extension() == ".png" &&
        (sizeFilter.empty() || entry.path().parent_path().filename() == sizeFilter))
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  std::vector<CorpusPicture> pictures;
  for (const auto& file : files) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str())) continue;
    image.format = PNG_FORMAT_BGRA;  // in memory the bytes of 0xAARRGGBB
    CorpusPicture picture;
    picture.name = (file.parent_path().filename() / file.stem()).string();
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
    if (!png_image_finish_read(&image, nullptr, picture.pixels.data(), 0, nullptr)) continue;
    for (std::uint32_t& p : picture.pixels)
      p &= 0xFFFFFF;
    pictures.push_back(std::move(picture));
  }
  return pictures;
}

}  // namespace snapwell::testing
