#include "app/app_context.h"

#include <utility>

namespace snapwell {

std::string WithTrailingBackslash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\') folder.push_back('\\');
  return folder;
}

AppContext::AppContext(Platform& platformIn, std::string appFolder)
    : platform(platformIn), AppFolder(WithTrailingBackslash(std::move(appFolder))) {}

}  // namespace snapwell
