// VOL list files: pairs of a template title (as shown in the shape list) and the path of its
// VOD file, numbered from 1 in file order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frames/vell_frame.h"
#include "platform/file_system.h"

namespace snapwell {

struct TemplateListEntry {
  std::string title;
  std::string path;  // as written in the list
};

struct TemplateListResult {
  std::vector<TemplateListEntry> entries;  // the entries read before any failure
  TemplateReadResult status;
};

// The shape list holds "Freehand" and the templates in a 16-bit index, so no more than this.
inline constexpr int kMaxTemplateListEntries = 32767 - 1;

// Reads up to maxEntries entries of a list file (path resolved against appFolder).
TemplateListResult ReadTemplateList(const FileSystem& files, std::string_view listPath,
                                    std::string_view appFolder, int maxEntries = kMaxTemplateListEntries);
// The same on list text already in memory.
TemplateListResult ParseTemplateList(std::string_view data, std::string_view file,
                                     int maxEntries = kMaxTemplateListEntries);

}  // namespace snapwell
