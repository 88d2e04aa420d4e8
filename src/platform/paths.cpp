#include "platform/paths.h"

namespace snapwell {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

}  // namespace

std::string ResolvePath(std::string_view path, std::string_view folder) {
  const bool rooted = !path.empty() && IsSeparator(path[0]);
  const bool drive = path.size() >= 2 && path[1] == ':';
  if (path.empty() || rooted || drive || folder.empty()) return std::string(path);
  std::string full(folder);
  if (!IsSeparator(full.back())) full.push_back('\\');
  full.append(path);
  return full;
}

}  // namespace snapwell
