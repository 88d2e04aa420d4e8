#include "output/file_name.h"

namespace snapwell {

std::string CFileName::Body() const {
  return path_.substr(folderLength_, bodyLength_);
}

void CFileName::SetBody(std::string_view value) {
  std::string next = Folder();
  next += value;
  next += Ext();
  SetPath(next);
}

std::string CFileName::Ext() const {
  return path_.substr(path_.size() - extLength_);
}

void CFileName::SetExt(std::string_view value) {
  std::string next = Folder() + Body();
  if (value.empty() || value.front() != '.') next += '.';
  next += value;
  SetPath(next);
}

std::string CFileName::FileName() const {
  return path_.substr(folderLength_);
}

void CFileName::SetFileName(std::string_view value) {
  std::string next = Folder();
  next += value;
  SetPath(next);
}

std::string CFileName::Folder() const {
  return path_.substr(0, folderLength_);
}

void CFileName::SetFolder(std::string_view value) {
  std::string next(value);
  // An empty folder means "no folder"; a lone backslash would name the root of the current drive.
  if (!next.empty() && next.back() != '\\') next += '\\';
  next += FileName();
  SetPath(next);
}

void CFileName::SetPath(std::string_view value) {
  path_.assign(value.data(), value.size());
  Parse();
}

// Walks back from the end: the first dot seen (before any backslash) starts the extension, the
// first backslash ends the folder. Bytes are enough for UTF-8: "." and "\" never occur inside a
// multi-byte character.
void CFileName::Parse() {
  const std::size_t length = path_.size();
  folderLength_ = 0;
  bodyLength_ = 0;
  extLength_ = 0;
  bool sawDot = false;
  for (std::size_t i = length; i > 0; --i) {
    const char c = path_[i - 1];
    if (!sawDot && c == '.') {
      sawDot = true;
      extLength_ = length - i + 1;
    } else if (c == '\\') {
      folderLength_ = i;
      break;
    }
  }
  bodyLength_ = length - folderLength_ - extLength_;
}

}  // namespace snapwell
