// The naming rules around the output file name: completing a missing extension, numbering a
// file so nothing is overwritten, the Save dialog's file-type filter and the check of a typed
// name for characters no file name may hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "output/file_name.h"
#include "platform/file_system.h"
#include "platform/user_interface.h"
#include "text/texts.h"

namespace snapwell {

// The extensions taken as they are, compared without regard to ASCII case.
bool IsRecognisedExtension(std::string_view ext);

// Appends an extension to fileName unless it already ends in a recognised one (the extension is
// appended, never substituted: shot.txt becomes shot.txt.bmp). fileTypeIndex is the Save
// dialog's file-type index (1-based position in BuildFileFilter's list, 0 when unused): with
// force, or on index 0 or 1 (all formats) it is ExtensionTable(defaultExt); on 2..7 the
// extension of that file type; otherwise ExtensionTable(defaultExt).
CFileName CompleteExtension(const CFileName& fileName, bool force, int fileTypeIndex, int defaultExt);

// Numbers run 0..19999 and wrap; the numbering reads at most four trailing digits of the body.
inline constexpr int kNumberedNames = 20000;

// The first free numbered name after name (it may be name itself): the trailing digits of the
// body (at most four) are the starting number, leading zeros are dropped. A relative name lies
// in the user's Pictures folder (ResolvePath with files.PicturesFolder(), platform/paths.h),
// and the result is the full path. When all 20,000 numbers are taken the user is told and the
// starting name is returned, to be overwritten. A probe that fails for any reason but "not
// found" (missing folder, access denied, bad name...) is reported as an unexpected error of
// frmOutDialog.AutosetFileName with its FileErrorNumber and nothing is returned: the caller
// gives up this one output. An empty name gives an empty name.
std::optional<CFileName> AutosetFileName(const CFileName& name, const FileSystem& files, UserInterface& ui,
                                         const Texts& texts);

// The same numbering for a caller that tells a failing probe itself: the first free name, or the
// candidate whose probe failed (name) with the reason (failure).
struct NumberedName {
  CFileName name;
  FileError failure = FileError::None;
};
NumberedName NumberFileName(const CFileName& name, const FileSystem& files, UserInterface& ui,
                            const Texts& texts);

// The filter of the output Save dialog ("|"-separated, as the dialog's Filter property takes it):
// 1 all formats (the default extension first), 2 BMP, 3 JPEG, 4 PNG, 5 EPS, 6 PPM, 7 PGM.
std::string BuildFileFilter(const Texts& texts, int defaultExt);

// True (bad) when the typed name holds a character no file name may hold; the user is told
// which ones. An empty name is not bad.
bool CheckFileName(std::string_view typedName, UserInterface& ui, const Texts& texts);

}  // namespace snapwell
