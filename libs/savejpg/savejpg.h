// The JPEG library: converts a BMP file into a baseline JPEG file.
// The same entry point is exported by SaveJPG.dll (as SavetoJPEG, __stdcall) and linked
// directly into native builds.
#pragma once

#include "file_error.h"

namespace savejpg {

// Results of SavetoJPEG. Only kSaved means the output file was written.
enum SaveResult : short {
  kSaved = 1,
  kFailed = 0,             // anything unforeseen; the output is untouched
  kBadArgument = -1,       // a path is missing or empty
  kSourceUnreadable = -2,  // the BMP file cannot be opened or read
  kSourceInvalid = -3,     // not a BMP file this library reads, or damaged
  kTargetUnwritable = -4,  // the output folder is missing, or the target may not be written
  kOutOfMemory = -5,
  kTargetDiskFull = -6,
};

// Reads the BMP file at bmpPath (1, 4, 8, 16, 24 or 32 bits per pixel, uncompressed or with
// bit fields, bottom-up or top-down) and writes it to outPath as a JPEG file of the given
// quality (clamped to 1..100; 90 and below use 4:2:0 chroma subsampling). The output appears
// only when complete; on failure any existing file at outPath is left as it was.
// `flag` is reserved and has no effect. Never throws. On failure `why`, when given, holds the
// cause: the output file's own failure with the system's code, out of memory, or Other (the
// source could not be read, a path is missing).
short SavetoJPEG(const char* bmpPath, const char* outPath, int quality, int flag,
                 vell::FileFailure* why = nullptr) noexcept;

}  // namespace savejpg
