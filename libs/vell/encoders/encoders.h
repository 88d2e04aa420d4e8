// File writers of the imaging library: PNG, binary PPM/PGM and Encapsulated PostScript,
// each from a 32-bit pixel view. Every writer builds the whole file beside the target and
// renames it over the target only once it is complete, so a failure never leaves a torn file.
#pragma once

#include "file_error.h"
#include "pixel_view.h"

namespace vell {

// Each writes the whole file to a temporary file beside `path` and renames it over `path`
// only when complete; false (target untouched) on failure, with why in `why` when given: the
// file's own failure, or Other when the picture could not be encoded (out of memory: Other with
// the system's out-of-memory code).
bool WriteEps(const char* path, ConstPixelView image, FileFailure* why = nullptr);
bool WritePpm(const char* path, ConstPixelView image, FileFailure* why = nullptr);
bool WritePgm(const char* path, ConstPixelView image, FileFailure* why = nullptr);
bool WritePng(const char* path, ConstPixelView image, FileFailure* why = nullptr);

}  // namespace vell
