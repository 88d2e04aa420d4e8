// Where a relative name lies. Every file name the program takes from the user or a file goes
// through ResolvePath with the folder its kind belongs to:
//   - output files (the FileName setting, default "VellOut", and every numbered name):
//     ResolvePath(name, files.PicturesFolder()), the user's Pictures folder, for numbering and
//     writing alike; an installed copy may not write beside its program, and the current folder
//     is whatever the last common dialog left;
//   - frame template lists and files (VOLFileName, "default.vol", the VOD paths in a list):
//     ResolvePath(name, AppFolder), the program folder, where they ship.
#pragma once

#include <string>
#include <string_view>

namespace snapwell {

// `path` taken to lie in `folder` when it is relative: "shot.png" in "C:\Users\me\Pictures\"
// gives "C:\Users\me\Pictures\shot.png" (a backslash is put between when the folder has no
// trailing one). A rooted path ("\x", "\\server\share\x", "/x"), one with a drive ("C:\x",
// "C:x"), an empty path, and any path when the folder is empty come back as they are.
std::string ResolvePath(std::string_view path, std::string_view folder);

}  // namespace snapwell
