// When the picture cannot be written where it was meant to go, it is not lost: the message says
// which file failed and why and asks whether to save the picture somewhere else, and the Save
// dialog of that rescue opens in the user's Pictures folder with the same name and format.
#pragma once

#include <string>

#include "output/file_name.h"
#include "platform/file_system.h"
#include "platform/output_devices.h"
#include "platform/user_interface.h"
#include "text/texts.h"

namespace snapwell {

inline constexpr int kTextFolderMissing = 300;
inline constexpr int kTextAccessDenied = 301;
inline constexpr int kTextDiskFull = 302;
inline constexpr int kTextBadName = 303;
inline constexpr int kTextSaveElsewhere = 304;

// One attempt to write the picture that failed.
struct WriteFailure {
  std::string path;     // the full path that could not be written
  FileFailure failure;  // why, with the system's code
  std::string detail;   // a library's own words standing for the reason (a missing library)
};

// The reason in the user's language: the folder does not exist, access is denied, the disk is
// full, the name is not valid; anything else in the system's own words, or as an unexpected
// error with the system's code where the system has no words for it.
std::string FailureReason(const WriteFailure& failure, const Texts& texts, const OutputDevices& devices);

// Text 134, the path, the reason and, after an empty line, the question whether to save the
// picture somewhere else; asked with Yes (the default) and No. True for Yes.
std::string WriteFailureText(const WriteFailure& failure, const Texts& texts, const OutputDevices& devices);
bool AskToSaveElsewhere(const WriteFailure& failure, const Texts& texts, const OutputDevices& devices,
                        UserInterface& ui);

// The Save dialog of a rescue, apart from the shared one (whose name is the output name setting,
// which a rescue leaves alone): the shared dialog's title and flags, the output file filter with
// the entry of the failed file's format chosen and that format's extension as default, and the
// failed file's name in the user's Pictures folder; when that folder is missing, the name alone,
// and the dialog opens where it likes.
CommonDialogState PrepareRescueDialog(const CFileName& failed, const CommonDialogState& shared,
                                      int defaultExt, const FileSystem& files, const Texts& texts);

}  // namespace snapwell
