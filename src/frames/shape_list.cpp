#include "frames/shape_list.h"

#include "frames/template_list.h"
#include "frames/template_messages.h"

namespace snapwell {

ShapeList SetVariOutLineList(const FileSystem& files, UserInterface& ui, const Texts& texts,
                             std::string_view volFileName, std::string_view appFolder,
                             std::int16_t variLineShape) {
  ShapeList list;
  list.items.push_back(FreehandItemText(texts));
  const TemplateListResult read = ReadTemplateList(files, volFileName, appFolder);
  if (!read.status.Ok()) {
    // A missing file or folder and a name no file can have all mean "not found".
    if (read.status.error == TemplateError::FileNotFound) {
      const FrameMessage message = ListNotFoundMessage(texts, volFileName);
      ui.MessageBox(message.text, message.title, MsgButtons::Ok, MsgIcon::Exclamation);
      list.variLineShape = 0;
      return list;
    }
    const FrameMessage message = ListUnexpectedErrorMessage(texts, ListErrorNumber(read.status));
    ui.MessageBox(message.text, message.title, MsgButtons::Ok, MsgIcon::Exclamation);
    // The entries before the fault stay usable; the choice is still checked against them below.
  }
  for (const TemplateListEntry& entry : read.entries)
    list.items.push_back(entry.title);
  const bool valid = variLineShape >= 0 && static_cast<std::size_t>(variLineShape) < list.items.size();
  list.variLineShape = valid ? variLineShape : std::int16_t{0};
  return list;
}

}  // namespace snapwell
