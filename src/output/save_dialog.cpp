#include "output/save_dialog.h"

#include <string>

#include "output/naming.h"

namespace snapwell {

void PrepareSaveDialog(CommonDialogState& dialog, const CFileName& name, int defaultExt, const Texts& texts) {
  dialog.DialogTitle = std::string(texts(184));
  dialog.Filter = BuildFileFilter(texts, defaultExt);
  dialog.DefaultExt = std::string(ExtensionTable(defaultExt));
  if (!name.Path().empty()) dialog.FileName = name.Folder() + name.Body();
}

bool AskForOutputName(CommonDialogState& dialog, CFileName& name, int defaultExt, const Texts& texts,
                      UserInterface& ui) {
  PrepareSaveDialog(dialog, name, defaultExt, texts);
  if (!ui.ShowSaveDialog(dialog)) return false;
  name.SetPath(dialog.FileName);
  return true;
}

}  // namespace snapwell
