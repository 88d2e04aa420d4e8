// Side-by-side comparison on the screenshot corpus: Snapwell's PNG writer against libpng with
// its defaults (level 6, adaptive filters), and SaveJPG against libjpeg-turbo's own BMP-to-JPEG
// path (tjLoadImage + tjCompress2) and its cjpeg program. Every encoder writes a real file in
// the output folder, allocates per picture as the program does, and is timed as the median of
// several runs; CPU time counts every thread. Run under `taskset -c 0` for one core.
// Usage: snapwell_compare [OUTDIR] [REPEATS] [png|jpeg]
#include <sys/resource.h>
#include <turbojpeg.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "output/bmp_file.h"
#include "savejpg/savejpg.h"
#include "support/screenshot_corpus.h"
#include "vell/encoders/encoders.h"

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

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
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height),
               8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<unsigned char> row(static_cast<std::size_t>(picture.width) * 3);
  for (int y = 0; y < picture.height; ++y) {
    const std::uint32_t* in = picture.View().Row(y);
    for (int x = 0; x < picture.width; ++x) {
      row[3 * x] = static_cast<unsigned char>(in[x] >> 16);
      row[3 * x + 1] = static_cast<unsigned char>(in[x] >> 8);
      row[3 * x + 2] = static_cast<unsigned char>(in[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

// libjpeg-turbo's own path from a BMP file to a JPEG file, at quality 85 with 4:2:0 colour.
bool TurboJpegWrite(const std::string& bmp, const std::string& jpg, long long& size) {
  int width = 0, height = 0, format = TJPF_BGR;
  unsigned char* pixels = tjLoadImage(bmp.c_str(), &width, 1, &height, &format, 0);
  if (pixels == nullptr) return false;
  tjhandle handle = tjInitCompress();
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  const bool ok =
      tjCompress2(handle, pixels, width, 0, height, format, &out, &outSize, TJSAMP_420, 85, 0) == 0;
  std::FILE* file = std::fopen(jpg.c_str(), "wb");
  const bool written = ok && file != nullptr && std::fwrite(out, 1, outSize, file) == outSize;
  if (file != nullptr) std::fclose(file);
  tjFree(out);
  tjDestroy(handle);
  tjFree(pixels);
  size = static_cast<long long>(outSize);
  return written;
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

// What the encoder in use before libjpeg-turbo gave (stb_image_write at the same quality).
std::string StbJpeg(const CorpusPicture& picture) {
  std::vector<unsigned char> rgb;
  for (std::uint32_t p : picture.pixels)
    rgb.insert(rgb.end(), {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                           static_cast<unsigned char>(p)});
  std::string out;
  stbi_write_jpg_to_func(
      [](void* c, void* d, int n) { static_cast<std::string*>(c)->append(static_cast<char*>(d), n); }, &out,
      picture.width, picture.height, 3, rgb.data(), 85);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string outDir = argc > 1 ? argv[1] : "build/bench-out";
  const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
  const std::string only = argc > 3 ? argv[3] : "";
  std::filesystem::create_directories(outDir);
  const std::vector<CorpusPicture> corpus = snapwell::testing::LoadCorpus();
  if (corpus.empty()) {
    std::fprintf(stderr, "no screenshot corpus in %s: run scripts/screenshot-corpus\n",
                 snapwell::testing::CorpusFolder().c_str());
    return 1;
  }
  std::printf("files in %s, median of %d runs; ratios > 1 favour Snapwell for speed, < 1 for size\n\n",
              outDir.c_str(), repeats);
  if (only != "jpeg")
    std::printf(
        "PNG                    | Snapwell: bytes  wall ms  cpu ms | libpng: bytes  wall ms | size ratio  "
        "speed (cpu)  speed (wall)\n");
  for (const CorpusPicture& picture : corpus) {
    if (only == "jpeg") break;
    std::string base = outDir + "/" + picture.name;
    std::replace(base.begin() + static_cast<long>(outDir.size()) + 1, base.end(), '/', '-');
    const std::string ours = base + ".png", theirs = base + "-libpng.png";
    const Timing a = Measure(repeats, [&] { return vell::WritePng(ours.c_str(), picture.View()); });
    const Timing b = Measure(repeats, [&] { return LibpngWrite(theirs, picture); });
    const long long sa = FileSize(ours), sb = FileSize(theirs);
    std::printf("%-22s | %15lld %8.1f %7.1f | %13lld %8.1f | %10.4f %12.2f %13.2f\n", picture.name.c_str(),
                sa, a.wallMs, a.cpuMs, sb, b.wallMs, static_cast<double>(sa) / static_cast<double>(sb),
                b.cpuMs / a.cpuMs, b.wallMs / a.wallMs);
  }
  if (only == "png") return 0;
  std::printf(
      "\nJPEG q85, BMP file in | SaveJPG: bytes  wall ms  cpu ms | libjpeg-turbo: bytes  wall ms  cpu ms | "
      "cjpeg bytes | size/cjpeg  speed (cpu) | error: ours  stb (before)\n");
  for (const CorpusPicture& picture : corpus) {
    std::string base = outDir + "/" + picture.name;
    std::replace(base.begin() + static_cast<long>(outDir.size()) + 1, base.end(), '/', '-');
    const std::string bmp = base + ".bmp", ours = base + ".jpg", theirs = base + "-turbo.jpg",
                      cjpeg = base + "-cjpeg.jpg";
    if (snapwell::WriteBmpFile(bmp, picture.View()) != snapwell::FileError::None) return 1;
    const Timing a = Measure(
        repeats, [&] { return savejpg::SavetoJPEG(bmp.c_str(), ours.c_str(), 85, 0) == savejpg::kSaved; });
    long long turboSize = 0;
    const Timing b = Measure(repeats, [&] { return TurboJpegWrite(bmp, theirs, turboSize); });
    const std::string command = "cjpeg -quality 85 -outfile '" + cjpeg + "' '" + bmp + "'";
    const long long cjpegSize = std::system(command.c_str()) == 0 ? FileSize(cjpeg) : -1;
    const long long sa = FileSize(ours);
    std::printf("%-22s | %14lld %8.1f %7.1f | %20lld %8.1f %7.1f | %11lld | %10.4f %12.2f | %11.3f %13.3f\n",
                picture.name.c_str(), sa, a.wallMs, a.cpuMs, turboSize, b.wallMs, b.cpuMs, cjpegSize,
                static_cast<double>(sa) / static_cast<double>(cjpegSize), b.cpuMs / a.cpuMs,
                JpegError(ReadFile(ours), picture), JpegError(StbJpeg(picture), picture));
    std::filesystem::remove(bmp);
  }
  return 0;
}
