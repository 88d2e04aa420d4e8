#include "text/messages.h"

namespace snapwell {

std::string VersionBoxText(const Texts& texts) {
  std::string text(texts(104));
  text += "  Version ";
  text += kProgramVersion;
  text += "\r\n";
  text += kCreditLine;
  text += "\r\n\r\n";
  text += texts(107);
  text += "  Version ";
  text += kTemplateFormatVersion;
  text += ' ';
  text += texts(108);
  return text;
}

std::string UnexpectedErrorTitle(std::string_view window, std::string_view procedure) {
  std::string title = "Error in ";
  title += window;
  title += '.';
  title += procedure;
  title += '.';
  return title;
}

std::string UnexpectedErrorText(const Texts& texts, long number) {
  std::string text(texts(136));
  text += ' ';
  text += std::to_string(number);
  text += texts(137);
  return text;
}

}  // namespace snapwell
