// A failure with the run-time error number a message box reports ("An unexpected error occurred
// (No. n)."): 7 out of memory, 91 a missing object, and the numbers of the file and library errors.
#pragma once

#include <stdexcept>
#include <string>

namespace snapwell {

class RunTimeError : public std::runtime_error {
 public:
  RunTimeError(long number, const std::string& what) : std::runtime_error(what), number_(number) {}
  long Number() const { return number_; }

 private:
  long number_;
};

}  // namespace snapwell
