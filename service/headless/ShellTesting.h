// Test access to the host's shell fake: what was launched, and the path it
// gives as the running program's file.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace service::testing {

struct ShellExecuteCall {
    std::string verb;
    std::string file;
    std::optional<std::string> parameters;  // empty when none were passed
    int showCommand;
};

// Every launch since the last reset, in order.
const std::vector<ShellExecuteCall>& ShellExecuteCalls();

// The running program's path; std::nullopt makes the query fail (0 characters).
void SetModuleFileName(std::optional<std::string> path);

// No launches, and the path "C:\Program Files\Edgeroam 2\edgeroam2.exe".
void ResetShell();

}  // namespace service::testing
