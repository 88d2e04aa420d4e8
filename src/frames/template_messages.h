// The messages of the frame template readers: the shape list's file errors, the unsupported
// data warning and the rejection of a template that cannot be used for a capture.
#pragma once

#include <string>
#include <string_view>

#include "frames/vell_frame.h"
#include "text/texts.h"

namespace snapwell {

struct FrameMessage {
  std::string text;
  std::string title;
};

// The list file named by VOLFileName (as the setting holds it) is missing.
FrameMessage ListNotFoundMessage(const Texts& texts, std::string_view volFileName);
// Any other failure while the shape list is built, by error number.
FrameMessage ListUnexpectedErrorMessage(const Texts& texts, int errorNumber);
// A template read for a capture holds records that are not lines or arcs.
FrameMessage UnsupportedTemplateMessage(const Texts& texts);
// A template (or its list) cannot be used; the capture goes on with the freehand outline.
FrameMessage TemplateRejectedMessage(const Texts& texts, const TemplateReadResult& result);
// The first item of the shape list.
std::string FreehandItemText(const Texts& texts);

// The error number a failed list read reports: a file failure's number (FileErrorNumber),
// 62 input past the end, 13 a malformed field.
int ListErrorNumber(const TemplateReadResult& result);

}  // namespace snapwell
