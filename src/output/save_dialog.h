// The Save dialog of the output name, made ready in one place for every caller: the settings
// dialog's "Output Filename Setup" menu and File button, the output target dialog's Browse
// button, and SaveImage when it has no name or the user will not overwrite.
#pragma once

#include "output/file_name.h"
#include "platform/user_interface.h"
#include "text/texts.h"

namespace snapwell {

// Title "Output Filename" (text 184), the file-type filter with the default type first, the
// default extension of `defaultExt`, and as the initial name the folder and body of `name` (the
// dialog's own name stays when `name` is empty).
void PrepareSaveDialog(CommonDialogState& dialog, const CFileName& name, int defaultExt, const Texts& texts);

// Prepares the dialog and shows it. On OK the chosen name becomes name's path and true comes
// back; a cancel changes neither the name nor anything else.
bool AskForOutputName(CommonDialogState& dialog, CFileName& name, int defaultExt, const Texts& texts,
                      UserInterface& ui);

}  // namespace snapwell
