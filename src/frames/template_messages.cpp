#include "frames/template_messages.h"

#include "text/messages.h"
#include "text/text_format.h"

namespace snapwell {
namespace {

constexpr std::string_view kCrLf = "\r\n";

// The texts of a rejected template; %1, %2 are filled by FormatText.
constexpr int kDataFileUnusable = 283;  // %1 the file
constexpr int kListFileUnusable = 284;  // %1 the file
constexpr int kFreehandInstead = 285;
constexpr int kFileNotFound = 286;
constexpr int kFileUnreadable = 287;
constexpr int kEndsEarly = 288;   // %1 field, %2 line
constexpr int kWrongField = 289;  // %1 field, %2 line
constexpr int kBadSize = 290;
constexpr int kBadCount = 291;
constexpr int kMissingRecords = 292;  // %1 records found, %2 records promised
constexpr int kNoSuchEntry = 293;     // %1 entry asked for, %2 entries present

std::string RejectionReason(const Texts& texts, const TemplateReadResult& r) {
  const std::string field = std::to_string(r.field);
  const std::string line = std::to_string(r.line);
  const std::string expected = std::to_string(r.expected);
  const std::string found = std::to_string(r.found);
  switch (r.error) {
    case TemplateError::FileNotFound:
      return std::string(texts(kFileNotFound));
    case TemplateError::FileUnreadable:
      return std::string(texts(kFileUnreadable));
    case TemplateError::EndsEarly:
      return FormatText(texts(kEndsEarly), {field, line});
    case TemplateError::WrongField:
      return FormatText(texts(kWrongField), {field, line});
    case TemplateError::BadSize:
      return std::string(texts(kBadSize));
    case TemplateError::BadCount:
      return std::string(texts(kBadCount));
    case TemplateError::MissingRecords:
      return FormatText(texts(kMissingRecords), {found, expected});
    case TemplateError::NoSuchEntry:
      return FormatText(texts(kNoSuchEntry), {expected, found});
    case TemplateError::None:
      break;
  }
  return {};
}

}  // namespace

FrameMessage ListNotFoundMessage(const Texts& texts, std::string_view volFileName) {
  std::string text(texts(142));
  text += volFileName;
  text += texts(143);
  text += kCrLf;
  text += texts(144);
  return {text, std::string(texts(145))};
}

FrameMessage ListUnexpectedErrorMessage(const Texts& texts, int errorNumber) {
  return {UnexpectedErrorText(texts, errorNumber), UnexpectedErrorTitle("frmSetting", "SetVariOutLineList")};
}

FrameMessage UnsupportedTemplateMessage(const Texts& texts) {
  std::string text(texts(146));
  text += kCrLf;
  text += texts(147);
  return {text, std::string(texts(120))};
}

FrameMessage TemplateRejectedMessage(const Texts& texts, const TemplateReadResult& result) {
  std::string text = FormatText(texts(result.inList ? kListFileUnusable : kDataFileUnusable), {result.file});
  text += kCrLf;
  text += RejectionReason(texts, result);
  text += kCrLf;
  text += texts(kFreehandInstead);
  return {text, std::string(texts(120))};
}

std::string FreehandItemText(const Texts& texts) {
  return std::string(texts(192));
}

int ListErrorNumber(const TemplateReadResult& result) {
  switch (result.error) {
    case TemplateError::FileNotFound:
    case TemplateError::FileUnreadable:
      return FileErrorNumber(result.fileError);
    case TemplateError::EndsEarly:
      return 62;  // input past the end of the file
    default:
      return 13;  // a field of the wrong type
  }
}

}  // namespace snapwell
