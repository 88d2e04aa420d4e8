// File writers of the imaging library: PNG, binary PPM/PGM and Encapsulated PostScript,
// each from a 32-bit pixel view. Every writer builds the whole file beside the target and
// renames it over the target only once it is complete, so a failure never leaves a torn file.
#pragma once

#include "pixel_view.h"

namespace vell {

// Each writes the whole file to a temporary file beside `path` and renames it over `path`
// only when complete; false (target untouched) on failure.
bool WriteEps(const char* path, ConstPixelView image);
bool WritePpm(const char* path, ConstPixelView image);
bool WritePgm(const char* path, ConstPixelView image);
bool WritePng(const char* path, ConstPixelView image);

}  // namespace vell
