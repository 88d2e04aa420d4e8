#include "support/fake_platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace snapwell::testing {
namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

std::string ParentOf(const std::string& path) {
  const auto cut = path.find_last_of('\\');
  return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

// Windows wildcard match of one name part: * any run, ? one character.
bool WildMatch(std::string_view pattern, std::string_view name) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    for (std::size_t i = 0; i <= name.size(); ++i) {
      if (WildMatch(pattern.substr(1), name.substr(i))) return true;
    }
    return false;
  }
  if (name.empty()) return false;
  if (pattern[0] != '?' && pattern[0] != name[0]) return false;
  return WildMatch(pattern.substr(1), name.substr(1));
}

}  // namespace

std::optional<std::string> FakeSettingsStore::Get(std::string_view key) const {
  const auto it = values.find(std::string(key));
  if (it == values.end()) return std::nullopt;
  return it->second;
}

bool FakeSettingsStore::Set(std::string_view key, std::string_view value) {
  if (readOnly) return false;
  values[std::string(key)] = std::string(value);
  writes.emplace_back(std::string(key), std::string(value));
  return true;
}

void FakeSettingsStore::Delete(std::string_view key) {
  if (readOnly) return;
  if (values.erase(std::string(key)) > 0) deletes.emplace_back(key);
}

FileError FakeFileSystem::Probe(std::string_view path) const {
  std::string key = Lower(path);
  while (key.size() > 3 && key.back() == '\\')
    key.pop_back();
  if (badNames.count(key) > 0) return FileError::BadName;
  if (locked.count(key) > 0) return FileError::AccessDenied;
  if (files.count(key) > 0 || folders.count(key) > 0) return FileError::None;
  const std::string parent = ParentOf(key);
  if (parent.empty() || folders.count(parent) > 0) return FileError::NotFound;
  return FileError::PathNotFound;
}

FileError FakeFileSystem::DeleteFile(std::string_view path) {
  const std::string key = Lower(path);
  if (locked.count(key) > 0) return FileError::AccessDenied;
  if (files.erase(key) == 0)
    return Probe(path) == FileError::PathNotFound ? FileError::PathNotFound : FileError::NotFound;
  deleted.push_back(key);
  return FileError::None;
}

std::vector<std::string> FakeFileSystem::FindFiles(std::string_view pattern) const {
  const std::string key = Lower(pattern);
  const std::string folder = ParentOf(key);
  const std::string namePattern = folder.empty() ? key : key.substr(folder.size() + 1);
  std::vector<std::string> found;
  for (const auto& [path, content] : files) {
    if (ParentOf(path) == folder &&
        WildMatch(namePattern, folder.empty() ? path : path.substr(folder.size() + 1))) {
      found.push_back(path);
    }
  }
  return found;
}

std::optional<std::string> FakeFileSystem::ReadFile(std::string_view path, FileError* error) const {
  const std::string key = Lower(path);
  FileError e = FileError::None;
  std::optional<std::string> content;
  if (badNames.count(key) > 0) {
    e = FileError::BadName;
  } else if (locked.count(key) > 0) {
    e = FileError::AccessDenied;
  } else if (const auto it = files.find(key); it != files.end()) {
    content = it->second;
  } else {
    e = Probe(path);
    if (e == FileError::None) e = FileError::AccessDenied;  // a folder of that name
  }
  if (error != nullptr) *error = e;
  return content;
}

void FakeFileSystem::AddFile(const std::string& path, std::string content) {
  const std::string key = Lower(path);
  AddFolder(ParentOf(key));
  files[key] = std::move(content);
}

void FakeFileSystem::AddFolder(const std::string& path) {
  std::string key = Lower(path);
  while (!key.empty() && key.back() == '\\')
    key.pop_back();
  while (!key.empty()) {
    folders.insert(key);
    key = ParentOf(key);
  }
}

bool FakeFileSystem::HasFile(const std::string& path) const {
  return files.count(Lower(path)) > 0;
}

MsgAnswer FakeUserInterface::MessageBox(std::string_view text, std::string_view title, MsgButtons buttons,
                                        MsgIcon icon) {
  shown.push_back({std::string(text), std::string(title), buttons, icon});
  if (onShow) onShow();
  if (answers.empty()) {
    ADD_FAILURE() << "unexpected message box \"" << title << "\": " << text;
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
  }
  const MsgAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

bool FakeUserInterface::ShowSaveDialog(CommonDialogState& dialog) {
  saveDialogsShown.push_back(dialog);
  if (onShow) onShow();
  if (saveAnswers.empty()) {
    ADD_FAILURE() << "unexpected Save dialog \"" << dialog.DialogTitle << "\"";
    return false;
  }
  const std::optional<std::string> answer = saveAnswers.front();
  saveAnswers.pop_front();
  if (!answer) return false;
  dialog.FileName = *answer;
  return true;
}

bool FakeUserInterface::ShowPrinterDialog(CommonDialogState& dialog) {
  printDialogsShown.push_back(dialog);
  if (onShow) onShow();
  if (printAnswers.empty()) {
    ADD_FAILURE() << "unexpected print set-up dialog";
    return false;
  }
  const std::optional<int> answer = printAnswers.front();
  printAnswers.pop_front();
  if (!answer) return false;
  dialog.Copies = *answer;
  return true;
}

}  // namespace snapwell::testing

namespace snapwell::testing {

Timers::TimerId FakeTimers::StartTimer(int intervalMs, std::function<void()> tick) {
  const int interval = intervalMs < 1 ? 1 : intervalMs;
  const TimerId id = nextId_++;
  timers_[id] = Entry{interval, now + interval, std::move(tick)};
  return id;
}

void FakeTimers::StopTimer(TimerId id) {
  timers_.erase(id);
}

bool FakeTimers::FireDue(long long until) {
  auto next = timers_.end();
  for (auto it = timers_.begin(); it != timers_.end(); ++it) {
    if (it->second.due <= until && (next == timers_.end() || it->second.due < next->second.due)) {
      next = it;
    }
  }
  if (next == timers_.end()) return false;
  now = next->second.due;
  next->second.due += next->second.interval;
  auto tick = next->second.tick;  // the tick may stop or restart its own timer
  tick();
  return true;
}

void FakeTimers::Advance(long long ms) {
  const long long until = now + ms;
  while (FireDue(until)) {
  }
  now = until;
}

bool FakeTimers::TickNext() {
  long long due = -1;
  for (const auto& [id, entry] : timers_) {
    if (due < 0 || entry.due < due) due = entry.due;
  }
  return due >= 0 && FireDue(due);
}

}  // namespace snapwell::testing
