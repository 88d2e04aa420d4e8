#include "output/naming.h"

#include <array>

#include "platform/paths.h"
#include "text/messages.h"

namespace snapwell {
namespace {

constexpr std::array<std::string_view, 7> kRecognisedExtensions = {".jpg", ".bmp", ".png", ".jpeg",
                                                                   ".eps", ".ppm", ".pgm"};

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// Forbidden in a typed name. The message lists all but the colon, in its own order.
constexpr std::string_view kForbidden = "/\\:,;*?\"<>|";
constexpr std::string_view kForbiddenListed = "\\ / , ; * ? \" < > |";

}  // namespace

bool IsRecognisedExtension(std::string_view ext) {
  for (std::string_view known : kRecognisedExtensions) {
    if (EqualsIgnoringAsciiCase(ext, known)) return true;
  }
  return false;
}

CFileName CompleteExtension(const CFileName& fileName, bool force, int fileTypeIndex, int defaultExt) {
  CFileName result(fileName.Path());
  if (IsRecognisedExtension(result.Ext())) return result;
  std::string path = result.Path();
  if (!force && fileTypeIndex >= 2 && fileTypeIndex <= kExtensionCount + 1) {
    path += ExtensionTable(fileTypeIndex - 1);
  } else {
    path += ExtensionTable(defaultExt);
  }
  return CFileName(path);
}

NumberedName NumberFileName(const CFileName& given, const FileSystem& files, UserInterface& ui,
                            const Texts& texts) {
  if (given.Path().empty()) return {};
  const CFileName name(ResolvePath(given.Path(), files.PicturesFolder()));

  std::string base = name.Folder() + name.Body();
  const std::string ext = name.Ext();
  int start = 0;
  for (int k = 0, scale = 1; k < 4 && !base.empty(); ++k, scale *= 10) {
    const char c = base.back();
    if (c < '0' || c > '9') break;
    start += (c - '0') * scale;
    base.pop_back();
  }

  const auto numbered = [&](int n) {
    std::string candidate = base;
    candidate += std::to_string(n);
    candidate += ext;
    return candidate;
  };
  int number = start;
  for (int tries = 0; tries < kNumberedNames; ++tries) {
    const std::string candidate = numbered(number);
    const FileError probe = files.Probe(candidate);
    if (probe == FileError::NotFound) return {CFileName(candidate)};
    if (probe != FileError::None) return {CFileName(candidate), probe};
    number = (number + 1) % kNumberedNames;
  }

  std::string text(texts(152));
  text += "\n\r";
  text += texts(153);
  text += "\n\r";
  text += texts(154);
  ui.MessageBox(text, texts(123), MsgButtons::Ok, MsgIcon::None);
  return {CFileName(numbered(start))};
}

std::optional<CFileName> AutosetFileName(const CFileName& given, const FileSystem& files, UserInterface& ui,
                                         const Texts& texts) {
  NumberedName result = NumberFileName(given, files, ui, texts);
  if (result.failure == FileError::None) return std::move(result.name);
  ui.MessageBox(UnexpectedErrorText(texts, FileErrorNumber(result.failure)),
                UnexpectedErrorTitle("frmOutDialog", "AutosetFileName"), MsgButtons::Ok,
                MsgIcon::Exclamation);
  return std::nullopt;
}

std::string BuildFileFilter(const Texts& texts, int defaultExt) {
  if (defaultExt < 1 || defaultExt > kExtensionCount) defaultExt = 1;
  const auto pattern = [](std::string_view ext) {
    std::string p = "*";
    p += ext;
    if (ext == ".jpg") p += ";*.jpeg";
    return p;
  };
  std::string filter(texts(110));
  filter += ExtensionTable(defaultExt);
  if (ExtensionTable(defaultExt) == ".jpg") filter += ";*.jpeg";
  for (int i = 1; i <= kExtensionCount; ++i) {
    if (i == defaultExt) continue;
    filter += ';';
    filter += pattern(ExtensionTable(i));
  }
  filter += texts(111);
  return filter;
}

bool CheckFileName(std::string_view typedName, UserInterface& ui, const Texts& texts) {
  for (const char c : typedName) {
    // Control characters cannot stand in a Windows file name either; they are refused with
    // the same message rather than failing later when the file is written.
    const bool control = static_cast<unsigned char>(c) < 0x20;
    if (!control && kForbidden.find(c) == std::string_view::npos) continue;
    std::string text(texts(140));
    text += "\r\n        ";
    text += kForbiddenListed;
    ui.MessageBox(text, texts(138), MsgButtons::Ok, MsgIcon::Exclamation);
    return true;
  }
  return false;
}

}  // namespace snapwell
