// What every benchmark shares: the output folder on disk (build/bench-out, like a user's target
// folder) and the CPU time of the whole process, every thread included.
#pragma once

#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace snapwell::bench {

// The folder the benchmarks write their files to; made on first use.
// This machine's own screen grabs (make corpus): build/corpus, or $SNAPWELL_CORPUS. Benchmarks
// only; tests judge the fixed corpus.
inline std::string LiveCorpusFolder() {
  if (const char* dir = std::getenv("SNAPWELL_CORPUS")) return dir;
  return std::string(SNAPWELL_SOURCE_DIR) + "/build/corpus";
}

inline std::string OutFolder() {
  static const std::string folder = [] {
    const std::filesystem::path path = std::filesystem::path(SNAPWELL_SOURCE_DIR) / "build" / "bench-out";
    std::filesystem::create_directories(path);
    return path.string() + "/";
  }();
  return folder;
}

// A file name in OutFolder for a corpus picture ("1920x1080/terminal" → "1920x1080-terminal").
inline std::string OutPath(std::string name, const std::string& extension) {
  for (char& c : name)
    if (c == '/') c = '-';
  return OutFolder() + name + extension;
}

// CPU time of the whole process, every thread included, in milliseconds.
inline double ProcessCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

}  // namespace snapwell::bench
