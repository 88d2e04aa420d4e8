// The BMP file Snapwell writes itself ("24bit Bitmap"): uncompressed 24-bit pixels, rows
// bottom-up and padded to four bytes, behind the 14-byte file header and the 40-byte info
// header. The file appears under its name only once it is complete.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pixel_view.h"
#include "platform/file_system.h"

namespace snapwell {

inline constexpr std::uint32_t kBmpHeaderSize = 14 + 40;

// The whole file as bytes; empty when the picture is empty or too large for the format.
std::vector<std::uint8_t> EncodeBmp(vell::ConstPixelView image);

// Writes the picture to path. FileError::None when the file is complete; otherwise why not
// (PathNotFound: no such folder; BadName; AccessDenied: read-only target, a folder in the way,
// no right to write; DiskFull; Other: an empty or oversized picture...), and any file that
// was at path is left as it was. `why`, when given, receives the failure with the system's code.
FileError WriteBmpFile(const std::string& path, vell::ConstPixelView image, FileFailure* why = nullptr);

}  // namespace snapwell
