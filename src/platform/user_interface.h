// Modal interaction with the user: message boxes (and, later, dialogs) go through here so
// that the core decides and tests can script the answers.
#pragma once

#include <cstdint>
#include <string_view>

namespace snapwell {

enum class MsgButtons : std::uint8_t { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon : std::uint8_t { None, Exclamation, Question, Information, Critical };
enum class MsgAnswer : std::uint8_t { Ok, Cancel, Yes, No, Retry };

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  virtual MsgAnswer MessageBox(std::string_view text, std::string_view title, MsgButtons buttons,
                               MsgIcon icon) = 0;
  virtual void Beep() = 0;
};

}  // namespace snapwell
