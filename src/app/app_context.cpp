#include "app/app_context.h"

#include <utility>

namespace snapwell {

std::string WithTrailingBackslash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\') folder.push_back('\\');
  return folder;
}

AppContext::AppContext(Platform& platformIn, std::string appFolder, Texts textsIn)
    : platform(platformIn),
      texts(std::move(textsIn)),
      AppFolder(WithTrailingBackslash(std::move(appFolder))) {}

OutputContext OutputContextOf(AppContext& app) {
  Settings& s = app.settings;
  return OutputContext{app.platform,    app.texts,       s.Outputs,         s.AutoName,
                       s.DefaultExt,    s.StartAng,      s.EndAng,          s.StepAng,
                       s.ContOutCulc,   app.FileName,    app.CommonDialog1, app.PrintCopies,
                       app.seriesIndex, app.seriesTotal, app.seriesCancel,  app.dialogArea};
}

}  // namespace snapwell
