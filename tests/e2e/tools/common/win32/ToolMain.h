#pragma once
// Shared start of the e2e tools' main functions.

#include <functional>
#include <string>
#include <string_view>

namespace e2e {

// Sets stdout and stderr to plain "\n" line ends, runs body and turns a ToolError (or any
// other exception) into a message "tool: message" on stderr and the error's exit status.
int runTool(std::string_view tool, const std::function<int()>& body);

// Writes text and "\n" to stdout.
void printLine(std::string_view text);

// The text of GetLastError, for messages.
std::string lastErrorText();
std::string errorText(unsigned long code);

}  // namespace e2e
