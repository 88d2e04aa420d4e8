// Loading the chosen frame template when a capture starts: a template that cannot be read is
// reported and the capture goes on with the freehand outline instead.
#pragma once

#include <cstdint>
#include <string_view>

#include "frames/vell_frame.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "text/texts.h"

namespace snapwell {

// Reads entry variLineShape of the list VOLFileName into frame. True when the frame holds the
// template (after a warning if some of its records are not supported); false after a message
// when it cannot be used, and the capture marks a freehand outline. Entry 0 ("Freehand") and
// below load nothing and say nothing.
bool LoadCaptureTemplate(CVellFrame& frame, const FileSystem& files, UserInterface& ui, const Texts& texts,
                         std::string_view volFileName, std::int16_t variLineShape,
                         std::string_view appFolder);

}  // namespace snapwell
