#include "frames/capture_template.h"

#include "frames/template_messages.h"

namespace snapwell {

bool LoadCaptureTemplate(CVellFrame& frame, const FileSystem& files, UserInterface& ui, const Texts& texts,
                         std::string_view volFileName, std::int16_t variLineShape,
                         std::string_view appFolder) {
  if (variLineShape < 1) return false;  // entry 0 is "Freehand" itself
  const TemplateReadResult result = frame.ReadVODFileWithVOL(files, volFileName, variLineShape, appFolder);
  if (!result.Ok()) {
    const FrameMessage message = TemplateRejectedMessage(texts, result);
    ui.MessageBox(message.text, message.title, MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
  }
  if (!frame.IsSupported()) {
    const FrameMessage message = UnsupportedTemplateMessage(texts);
    ui.MessageBox(message.text, message.title, MsgButtons::Ok, MsgIcon::Exclamation);
  }
  return true;
}

}  // namespace snapwell
