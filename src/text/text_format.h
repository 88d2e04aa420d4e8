// Fills the numbered placeholders of a text from the string table, so a translation can put
// the variable parts (a file name, a count) wherever its grammar wants them.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace snapwell {

// Replaces %1 .. %9 in pattern by the first .. ninth argument; %% is a single %. The pattern
// is only read, never interpreted as a C format, and an argument is inserted as it stands (a
// "%1" inside a file name stays "%1"). A placeholder without an argument stays as written and
// surplus arguments are ignored, so a translation that drops or repeats a placeholder still
// gives a whole text. Only one digit counts: "%10" is the first argument followed by "0".
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace snapwell
