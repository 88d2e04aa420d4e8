// Temporary-file-and-rename writing, with the operating system's own calls so that the
// rename replaces an existing target in one step (MoveFileExW on Windows, rename() elsewhere).
#include "atomic_file.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#endif

namespace vell {

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;
constexpr int kNameAttempts = 100;

unsigned long ProcessNumber() {
#ifdef _WIN32
  return GetCurrentProcessId();
#else
  return static_cast<unsigned long>(getpid());
#endif
}

// A short name of its own in the target's folder, so that a long target path does not grow
// past the system's limit; the process number and a counter keep writers apart.
template <typename Path>
Path TemporaryName(const Path& target, int attempt) {
  static std::atomic<unsigned long> counter{0};
  std::size_t folderLength = target.size();
  while (folderLength > 0 && target[folderLength - 1] != '/' && target[folderLength - 1] != '\\' &&
         target[folderLength - 1] != ':')
    --folderLength;
  char name[64];
  const int length = std::snprintf(name, sizeof name, "~%lx%lx%x.tmp", ProcessNumber(), ++counter,
                                   static_cast<unsigned>(attempt));
  return target.substr(0, folderLength) + Path(name, name + std::max(length, 0));
}

#ifdef _WIN32
// The one conversion of a path the caller gave in the ANSI code page; empty when it is not text
// of that code page. A long full path gets the "\\?\" form, which the wide functions open past
// the 260 characters the ANSI ones stop at (its temporary neighbour may be longer still).
std::wstring WidePath(const char* path) {
  const int needed = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
  if (needed <= 1) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, path, -1, wide.data(), needed);
  wide.resize(static_cast<std::size_t>(needed - 1));
  constexpr std::size_t kLong = MAX_PATH - 20;
  const bool plain = wide.find(L'/') == std::wstring::npos && wide.find(L"\\.") == std::wstring::npos;
  if (wide.size() < kLong || !plain) return wide;
  if (wide.size() > 2 && wide[1] == L':' && wide[2] == L'\\') return L"\\\\?\\" + wide;
  if (wide.starts_with(L"\\\\") && !wide.starts_with(L"\\\\?\\")) return L"\\\\?\\UNC" + wide.substr(1);
  return wide;
}

std::string AnsiPath(const std::wstring& path) {
  const int size = static_cast<int>(path.size());
  const int needed = WideCharToMultiByte(CP_ACP, 0, path.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
  if (needed > 0) WideCharToMultiByte(CP_ACP, 0, path.data(), size, narrow.data(), needed, nullptr, nullptr);
  return narrow;
}
#endif

#ifdef _WIN32
FileFailure FailureOf(DWORD error) {
  return {FileErrorOfSystemCode(error), error};
}
#else
FileError KindOfErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return FileError::PathNotFound;
    case ENAMETOOLONG:
      return FileError::BadName;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
      return FileError::AccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return FileError::DiskFull;
    default:
      return FileError::Other;
  }
}
FileFailure FailureOf(int error) {
  return {KindOfErrno(error), static_cast<unsigned long>(error)};
}
#endif

#ifdef _WIN32
bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
#else
bool Exists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0;
}
#endif

// A folder or a read-only file in the target's place is never replaced.
template <typename Path>
FileError TargetBlocked(const Path& target) {
#ifdef _WIN32
  DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return FileError::None;
  if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) return FileError::AccessDenied;
#else
  struct stat info {};
  if (stat(target.c_str(), &info) != 0) return FileError::None;
  if (S_ISDIR(info.st_mode)) return FileError::AccessDenied;
  if (S_ISREG(info.st_mode) && (info.st_mode & S_IWUSR) == 0) return FileError::AccessDenied;
#endif
  return FileError::None;
}

}  // namespace

#ifdef _WIN32
FileError FileErrorOfSystemCode(unsigned long code) {
  switch (code) {
    case ERROR_SUCCESS:
      return FileError::None;
    case ERROR_FILE_NOT_FOUND:
      return FileError::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_INVALID_DRIVE:
      return FileError::PathNotFound;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
      return FileError::BadName;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return FileError::AccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return FileError::DiskFull;
    default:
      return FileError::Other;
  }
}
#endif

unsigned long SystemCodeOfKind(FileError kind) {
#ifdef _WIN32
  switch (kind) {
    case FileError::None:
      return ERROR_SUCCESS;
    case FileError::NotFound:
      return ERROR_FILE_NOT_FOUND;
    case FileError::PathNotFound:
      return ERROR_PATH_NOT_FOUND;
    case FileError::BadName:
      return ERROR_INVALID_NAME;
    case FileError::AccessDenied:
      return ERROR_ACCESS_DENIED;
    case FileError::DiskFull:
      return ERROR_DISK_FULL;
    case FileError::Other:
      break;
  }
  return ERROR_WRITE_FAULT;
#else
  switch (kind) {
    case FileError::None:
      return 0;
    case FileError::NotFound:
    case FileError::PathNotFound:
      return ENOENT;
    case FileError::BadName:
      return ENAMETOOLONG;
    case FileError::AccessDenied:
      return EACCES;
    case FileError::DiskFull:
      return ENOSPC;
    case FileError::Other:
      break;
  }
  return EIO;
#endif
}

FileFailure OutOfMemoryFailure() {
#ifdef _WIN32
  return {FileError::Other, ERROR_NOT_ENOUGH_MEMORY};
#else
  return {FileError::Other, ENOMEM};
#endif
}

std::FILE* OpenForReading(const char* path) {
  if (path == nullptr || *path == '\0') return nullptr;
#ifdef _WIN32
  const std::wstring wide = WidePath(path);
  return wide.empty() ? nullptr : _wfopen(wide.c_str(), L"rb");
#else
  return std::fopen(path, "rb");
#endif
}

AtomicFile::~AtomicFile() {
  Abandon();
}

bool AtomicFile::Open(const char* path) {
  Abandon();
  failure_ = FileError::None;
  systemCode_ = 0;
  if (path == nullptr || *path == '\0') {
    Fail(FailureOfKind(FileError::PathNotFound));
    return false;
  }
#ifdef _WIN32
  target_ = WidePath(path);
  if (target_.empty()) {
    Fail(FailureOfKind(FileError::PathNotFound));
    return false;
  }
#else
  target_ = path;
#endif
  flushedToDisk_ = false;
  if (FileError blocked = TargetBlocked(target_); blocked != FileError::None) {
    Fail(FailureOfKind(blocked));
    return false;
  }
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    NativePath candidate = TemporaryName(target_, attempt);
#ifdef _WIN32
    HANDLE h =
        CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      Fail(FailureOf(error));
      return false;
    }
    handle_ = h;
#else
    int fd;
    do {
      fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      Fail(FailureOf(errno));
      return false;
    }
    fd_ = fd;
#endif
    tempPath_ = std::move(candidate);
    open_ = true;
    buffer_.resize(kBufferSize);
    used_ = 0;
    return true;
  }
  Fail(FailureOfKind(FileError::Other));
  return false;
}

void AtomicFile::Fail(FileFailure why) {
  if (failure_ != FileError::None) return;
  if (why.kind == FileError::None) why = FailureOfKind(FileError::Other);  // a call failed without a code
  failure_ = why.kind;
  systemCode_ = why.systemCode;
  if (report_ != nullptr) *report_ = why;
}

bool AtomicFile::Write(const void* data, std::size_t size) {
  if (!open_ || failure_ != FileError::None) return false;
  const auto* bytes = static_cast<const unsigned char*>(data);
  if (used_ + size <= buffer_.size()) {
    if (size) std::memcpy(buffer_.data() + used_, bytes, size);
    used_ += size;
    return true;
  }
  if (!Flush()) return false;
  if (size < buffer_.size()) {
    std::memcpy(buffer_.data(), bytes, size);
    used_ = size;
    return true;
  }
  // A large block goes straight to the file.
  return WriteOut(bytes, size);
}

unsigned char* AtomicFile::Claim(std::size_t size) {
  if (!open_ || failure_ != FileError::None || size > buffer_.size()) return nullptr;
  if (used_ + size > buffer_.size() && !Flush()) return nullptr;
  unsigned char* room = buffer_.data() + used_;
  used_ += size;
  return room;
}

bool AtomicFile::Flush() {
  if (!WriteOut(buffer_.data(), used_)) return false;
  used_ = 0;
  return true;
}

// Writes every byte, retrying short writes; a failure is remembered.
bool AtomicFile::WriteOut(const unsigned char* bytes, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const std::size_t chunk = std::min<std::size_t>(size - done, std::size_t{1} << 30);
#ifdef _WIN32
    DWORD written = 0;
    if (!WriteFile(static_cast<HANDLE>(handle_), bytes + done, static_cast<DWORD>(chunk), &written,
                   nullptr) ||
        written == 0) {
      Fail(FailureOf(GetLastError()));
      return false;
    }
#else
    const ssize_t written = ::write(fd_, bytes + done, chunk);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      Fail(written < 0 ? FailureOf(errno) : FailureOfKind(FileError::DiskFull));
      return false;
    }
#endif
    done += static_cast<std::size_t>(written);
  }
  return true;
}

bool AtomicFile::CloseHandle() {
  bool ok = true;
#ifdef _WIN32
  if (handle_ != nullptr) {
    if (!::CloseHandle(static_cast<HANDLE>(handle_))) {
      Fail(FailureOf(GetLastError()));
      ok = false;
    }
    handle_ = nullptr;
  }
#else
  if (fd_ >= 0) {
    // close() may report a delayed write error (NFS, quota); the file is not complete then.
    if (::close(fd_) != 0 && errno != EINTR) {
      Fail(FailureOf(errno));
      ok = false;
    }
    fd_ = -1;
  }
#endif
  return ok;
}

std::string AtomicFile::temporaryPath() const {
#ifdef _WIN32
  return AnsiPath(tempPath_);
#else
  return tempPath_;
#endif
}

// Waits until the data written so far is on the disk; a failure is remembered.
bool AtomicFile::ForceToDisk() {
#ifdef _WIN32
  if (!FlushFileBuffers(static_cast<HANDLE>(handle_))) {
    Fail(FailureOf(GetLastError()));
    return false;
  }
#else
  int result;
  do {
    result = ::fsync(fd_);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    Fail(FailureOf(errno));
    return false;
  }
#endif
  flushedToDisk_ = true;
  return true;
}

bool AtomicFile::Commit() {
  if (!open_) return false;
  bool ok = failure_ == FileError::None && Flush();
  // Replacing the user's file: the new data must be on the disk before the old name points at it.
  if (ok && Exists(target_)) ok = ForceToDisk();
  ok = CloseHandle() && ok;
  if (ok) {
#ifdef _WIN32
    if (!MoveFileExW(tempPath_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
      Fail(FailureOf(GetLastError()));
      ok = false;
    }
#else
    if (std::rename(tempPath_.c_str(), target_.c_str()) != 0) {
      Fail(FailureOf(errno));
      ok = false;
    }
#endif
  }
  if (ok) {
    open_ = false;
    tempPath_.clear();
    buffer_ = {};
    return true;
  }
  Abandon();
  return false;
}

void AtomicFile::Abandon() {
  if (!open_) return;
  CloseHandle();
#ifdef _WIN32
  DeleteFileW(tempPath_.c_str());
#else
  ::unlink(tempPath_.c_str());
#endif
  open_ = false;
  tempPath_.clear();
  buffer_ = {};
  used_ = 0;
}

}  // namespace vell
