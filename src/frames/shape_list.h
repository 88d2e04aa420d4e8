// The frame-shape list of the settings dialog: "Freehand" followed by the titles of the
// templates in the list file, and which entry is chosen.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "text/texts.h"

namespace snapwell {

struct ShapeList {
  std::vector<std::string> items;  // item 0 is "Freehand"
  std::int16_t variLineShape = 0;  // the chosen entry, always a valid item index
};

// Rebuilds the list from the list file VOLFileName (resolved against appFolder), keeping the
// chosen entry when the list still has it. File errors are reported through ui.
ShapeList SetVariOutLineList(const FileSystem& files, UserInterface& ui, const Texts& texts,
                             std::string_view volFileName, std::string_view appFolder,
                             std::int16_t variLineShape);

}  // namespace snapwell
