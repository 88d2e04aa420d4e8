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

}  // namespace snapwell
