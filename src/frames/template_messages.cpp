#include "frames/template_messages.h"

#include "text/messages.h"

namespace snapwell {
namespace {

constexpr std::string_view kCrLf = "\r\n";

std::string RejectionReason(const TemplateReadResult& r) {
  const std::string where = " (field " + std::to_string(r.field) + ", line " + std::to_string(r.line) + ")";
  switch (r.error) {
    case TemplateError::FileNotFound:
      return "The file is not found.";
    case TemplateError::FileUnreadable:
      return "The file cannot be read.";
    case TemplateError::EndsEarly:
      return "The file ends before its data is complete" + where + ".";
    case TemplateError::WrongField:
      return "A field holds a value of the wrong kind" + where + ".";
    case TemplateError::BadSize:
      return "Its Width and Height must both be greater than 1.";
    case TemplateError::BadCount:
      return "Its number of records (DataNum) is negative.";
    case TemplateError::MissingRecords:
      return "It holds " + std::to_string(r.found) + " of the " + std::to_string(r.expected) +
             " records its DataNum promises.";
    case TemplateError::NoSuchEntry:
      return "It has no entry number " + std::to_string(r.expected) + " (it holds " +
             std::to_string(r.found) + ").";
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

// The string table has no text for a template that cannot be read at all; the reason is given
// in English in every language.
FrameMessage TemplateRejectedMessage(const Texts& texts, const TemplateReadResult& result) {
  const std::string kind = result.inList ? "The VellFrame List file (" : "The VellFrame Data file (";
  return {kind + result.file + ") cannot be used." + std::string(kCrLf) + RejectionReason(result) +
              std::string(kCrLf) + "The freehand outline is used instead.",
          std::string(texts(120))};
}

std::string FreehandItemText(const Texts& texts) {
  return std::string(texts(192));
}

int ListErrorNumber(const TemplateReadResult& result) {
  switch (result.error) {
    case TemplateError::FileNotFound:
      return result.fileError == FileError::PathNotFound ? 76 : 53;
    case TemplateError::FileUnreadable:
      return result.fileError == FileError::AccessDenied ? 75 : 57;
    case TemplateError::EndsEarly:
      return 62;
    default:
      return 13;
  }
}

}  // namespace snapwell
