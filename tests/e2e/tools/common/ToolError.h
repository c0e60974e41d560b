#pragma once
// The failure of a tool command: a message for stderr and the exit status to end with.

#include <stdexcept>
#include <string>

namespace e2e {

enum ExitStatus : int {
  kFailed = 1,    // the command ran and did not succeed (timeout, Win32 error)
  kUsage = 2,     // the command line is wrong
  kNotFound = 3,  // no such window, control, clipboard text or registry value
};

class ToolError : public std::runtime_error {
 public:
  ToolError(ExitStatus status, const std::string& message) : std::runtime_error(message), status_(status) {}
  ExitStatus status() const { return status_; }

 private:
  ExitStatus status_;
};

}  // namespace e2e
