// Side by side on the fixed screenshot corpus (tests/corpus), one table: Snapwell's PNG writer
// against libpng with its defaults (level 6, adaptive filters); SaveJPG against Pillow's JPEG
// from memory with the same libjpeg-turbo at quality 85 (our compression is SavetoJPEG less its
// BMP read), with cjpeg's size at that quality and the mean error beside the encoder used
// before libjpeg-turbo; the imaging library's reduction to a half against Pillow's reduce(2),
// and the program's 30-degree smoothed turn (canvas included) against Pillow's
// rotate(30, BILINEAR, expand). Every writer writes a real file in the output folder and
// allocates per picture as the program does; times are medians of several runs; CPU time counts
// every thread. Run under `taskset -c 0` for one core (make bench-compare does).
// Usage: snapwell_compare [OUTDIR] [REPEATS]
#include <sys/resource.h>
#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "imaging/imaging.h"
#include "output/bmp_file.h"
#include "raster/picture.h"
#include "savejpg/bmp_source.h"
#include "savejpg/savejpg.h"
#include "support/libpng_reference.h"
#include "support/screenshot_corpus.h"
#include "transform/rotate.h"
#include "vell/encoders/encoders.h"
#include "vell/geometry.h"

namespace {

using snapwell::testing::CorpusPicture;

struct Timing {
  double wallMs = 0;  // median
  double cpuMs = 0;   // all threads, median
};

double CpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

Timing Measure(int repeats, const std::function<bool()>& run) {
  std::vector<double> wall, cpu;
  for (int i = 0; i < repeats; ++i) {
    const double cpu0 = CpuMs();
    const auto t0 = std::chrono::steady_clock::now();
    if (!run()) {
      std::fprintf(stderr, "an encoder failed\n");
      std::exit(1);
    }
    wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    cpu.push_back(CpuMs() - cpu0);
  }
  return {Median(wall), Median(cpu)};
}

long long FileSize(const std::string& path) {
  std::error_code ignored;
  return static_cast<long long>(std::filesystem::file_size(path, ignored));
}

// libpng with its defaults, writing a file.
bool LibpngWrite(const std::string& path, const CorpusPicture& picture) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = snapwell::testing::WriteWithLibpngDefaults(
      picture.View(),
      [file](const unsigned char* data, std::size_t n) { return std::fwrite(data, 1, n, file) == n; });
  return std::fclose(file) == 0 && written;
}

// Mean absolute error per sample of a JPEG file against the picture.
double JpegError(const std::string& bytes, const CorpusPicture& picture) {
  tjhandle handle = tjInitDecompress();
  std::vector<unsigned char> rgb(static_cast<std::size_t>(picture.width) * picture.height * 3);
  const int result = tjDecompress2(handle, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                                   rgb.data(), picture.width, 0, picture.height, TJPF_RGB, 0);
  tjDestroy(handle);
  if (result != 0) return -1;
  double sum = 0;
  for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
    const std::uint32_t p = picture.pixels[i];
    sum += std::abs(rgb[3 * i] - static_cast<int>(p >> 16 & 0xFF)) +
           std::abs(rgb[3 * i + 1] - static_cast<int>(p >> 8 & 0xFF)) +
           std::abs(rgb[3 * i + 2] - static_cast<int>(p & 0xFF));
  }
  return sum / (3.0 * static_cast<double>(picture.pixels.size()));
}

std::string ReadFile(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
      bytes.append(buffer, n);
    std::fclose(f);
  }
  return bytes;
}

// What SaveJPG gave before the integer transform: the same library with the floating-point one.
std::string FloatDctJpeg(const CorpusPicture& picture) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(picture.width);
  info.image_height = static_cast<JDIMENSION>(picture.height);
  info.input_components = 4;
  info.in_color_space = JCS_EXT_BGRX;  // 0x00RRGGBB in memory
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 85, TRUE);
  info.dct_method = JDCT_FLOAT;
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(
        const_cast<std::uint32_t*>(picture.View().Row(static_cast<int>(info.next_scanline))));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string out(reinterpret_cast<char*>(buffer), size);
  std::free(buffer);
  return out;
}

struct PillowTimes {
  double jpegMs = 0, reduceMs = 0, rotateMs = 0;
  long long jpegBytes = 0;
};

// Pillow's times for every picture (bench/pillow_times.py), by file path; empty without Pillow.
std::map<std::string, PillowTimes> PillowTimesFor(const std::vector<std::string>& paths, int repeats) {
  std::string command =
      "/usr/bin/python3 " SNAPWELL_SOURCE_DIR "/bench/pillow_times.py " + std::to_string(repeats);
  for (const std::string& path : paths)
    command += " '" + path + "'";
  std::map<std::string, PillowTimes> times;
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return times;
  char line[4096];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    std::istringstream in(line);
    std::string path;
    PillowTimes t;
    if (in >> path >> t.jpegMs >> t.jpegBytes >> t.reduceMs >> t.rotateMs) times[path] = t;
  }
  pclose(pipe);
  return times;
}

std::string LoadAverage() {
  std::ifstream file("/proc/loadavg");
  std::string one, five, fifteen;
  file >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

// The program's turn of a full-screen cut-out by 30 degrees with smoothing: the cut-out in
// picBoard1, the canvas made afresh in picBoard2 (kept between runs, as between the steps of a
// series).
class ProgramTurn {
 public:
  explicit ProgramTurn(const CorpusPicture& picture)
      : width_(picture.width), height_(picture.height), board1_(picture.width + 2, picture.height + 2) {
    const vell::PixelView to = board1_.View();
    for (int y = 0; y < picture.height; ++y)
      std::memcpy(to.Row(y), picture.View().Row(y), sizeof(std::uint32_t) * static_cast<std::size_t>(width_));
  }
  bool Run(snapwell::Imaging& imaging) {
    const float pi = static_cast<float>(4.0 * std::atan(1.0));
    snapwell::RotationRegion region{0, 0, 0, width_ - 1, height_ - 1, 0.0f, 0.0f};
    float angle = pi / 6.0f;
    return snapwell::RotateCutOut(board2_, board1_, region, angle, 1.0f, 1, pi, imaging);
  }

 private:
  int width_, height_;
  snapwell::Picture board1_, board2_{1, 1};
};

}  // namespace

int main(int argc, char** argv) {
  const std::string outDir = argc > 1 ? argv[1] : "build/bench-out";
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  std::filesystem::create_directories(outDir);
  const std::vector<CorpusPicture> corpus =
      snapwell::testing::LoadCorpus(snapwell::testing::FixedCorpusFolder());
  if (corpus.empty()) {
    std::fprintf(stderr, "no screenshots in %s\n", snapwell::testing::FixedCorpusFolder().c_str());
    return 1;
  }
  const std::string loadBefore = LoadAverage();
  std::vector<std::string> paths;
  for (const CorpusPicture& picture : corpus)
    paths.push_back(snapwell::testing::FixedCorpusFolder() + "/" + picture.name + ".png");
  const std::map<std::string, PillowTimes> pillow = PillowTimesFor(paths, repeats);
  std::unique_ptr<snapwell::Imaging> imaging = snapwell::CreateImaging();

  std::printf(
      "fixed corpus, files in %s, CPU ms, median of %d runs; x = their time / ours (> 1: we are faster)\n",
      outDir.c_str(), repeats);
  std::printf("%-22s | %-39s | %-62s | %-20s | %-21s\n", "", "PNG: bytes, size / libpng, ms, x libpng",
              "JPEG q85: bytes, size / cjpeg, compress ms, x Pillow, error (float DCT)",
              "reduce 1/2: ms, x Pillow", "rotate 30: ms, x Pillow");
  for (std::size_t i = 0; i < corpus.size(); ++i) {
    const CorpusPicture& picture = corpus[i];
    const auto found = pillow.find(paths[i]);
    const PillowTimes them = found == pillow.end() ? PillowTimes{} : found->second;
    std::string base = outDir + "/" + picture.name;
    std::replace(base.begin() + static_cast<long>(outDir.size()) + 1, base.end(), '/', '-');

    const std::string png = base + ".png", libpng = base + "-libpng.png";
    const Timing ourPng = Measure(repeats, [&] { return vell::WritePng(png.c_str(), picture.View()); });
    const Timing theirPng = Measure(repeats, [&] { return LibpngWrite(libpng, picture); });

    const std::string bmp = base + ".bmp", jpg = base + ".jpg", cjpeg = base + "-cjpeg.jpg";
    if (snapwell::WriteBmpFile(bmp, picture.View()) != snapwell::FileError::None) return 1;
    // A new file each run, as a capture with numbered names writes it (replacing one would add
    // the flush before the rename).
    int run = 0;
    const Timing whole = Measure(repeats, [&] {
      const std::string file = base + "-" + std::to_string(run++) + ".jpg";
      const bool saved = savejpg::SavetoJPEG(bmp.c_str(), file.c_str(), 85, 0) == savejpg::kSaved;
      if (saved) std::filesystem::rename(file, jpg);
      return saved;
    });
    const Timing read = Measure(repeats, [&] {
      savejpg::BmpPicture decoded;
      return savejpg::ReadBmpFile(bmp.c_str(), decoded) == savejpg::BmpStatus::Ok;
    });
    const std::string command = "cjpeg -quality 85 -outfile '" + cjpeg + "' '" + bmp + "'";
    const long long cjpegSize = std::system(command.c_str()) == 0 ? FileSize(cjpeg) : -1;
    std::filesystem::remove(bmp);
    const double compressMs = whole.cpuMs - read.cpuMs;

    snapwell::Picture half(picture.width / 2 + 1, picture.height / 2 + 1);
    const Timing reduce = Measure(repeats, [&] {
      return vell::Reduce(half.View(), 0, 0, picture.width, picture.height, picture.View(), 0, 0, 0.5);
    });
    ProgramTurn turn(picture);
    const Timing rotate = Measure(repeats, [&] { return turn.Run(*imaging); });

    const auto ratio = [](double theirs, double ours) {
      return ours > 0 && theirs > 0 ? theirs / ours : 0.0;
    };
    std::printf(
        "%-22s | %8lld %6.4f %6.1f %5.2fx | %8lld %6.4f %6.2f %6.2fx %5.3f (%5.3f) | %6.2f %6.2fx | %6.1f "
        "%6.2fx\n",
        picture.name.c_str(), FileSize(png), static_cast<double>(FileSize(png)) / FileSize(libpng),
        ourPng.cpuMs, ratio(theirPng.cpuMs, ourPng.cpuMs), FileSize(jpg),
        static_cast<double>(FileSize(jpg)) / static_cast<double>(cjpegSize), compressMs,
        ratio(them.jpegMs, compressMs), JpegError(ReadFile(jpg), picture),
        JpegError(FloatDctJpeg(picture), picture), reduce.cpuMs, ratio(them.reduceMs, reduce.cpuMs),
        rotate.cpuMs, ratio(them.rotateMs, rotate.cpuMs));
    std::fflush(stdout);
  }
  if (pillow.empty()) std::printf("(no Pillow: install python3-pil for its columns)\n");
  std::printf("load average before: %s, after: %s\n", loadBefore.c_str(), LoadAverage().c_str());
  return 0;
}
