// Message texts built from pieces of the string table that several windows share: the
// version box and the report of an unexpected failure.
#pragma once

#include <string>
#include <string_view>

#include "text/texts.h"

namespace snapwell {

inline constexpr std::string_view kProgramVersion = "4.50";
inline constexpr std::string_view kTemplateFormatVersion = "1.1";
inline constexpr std::string_view kCreditLine = "Copyright (C) 2026 The Snapwell developers";

// The version box: text 122 as title, information icon, OK only.
std::string VersionBoxText(const Texts& texts);
inline std::string_view VersionBoxTitle(const Texts& texts) {
  return texts(122);
}

// "Error in frmOutDialog.AutosetFileName."
std::string UnexpectedErrorTitle(std::string_view window, std::string_view procedure);
// "An unexpected error occurred (No. 76)." in the user's language (texts 136, 137).
std::string UnexpectedErrorText(const Texts& texts, long number);

}  // namespace snapwell
