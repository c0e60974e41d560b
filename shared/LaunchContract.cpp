#include "shared/LaunchContract.h"

#include <cstring>

namespace {

constexpr std::size_t kSwitchLength = sizeof(kLaunchSwitch) - 1;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p) {
    while (IsBlank(*p)) {
        ++p;
    }
    return p;
}

const char* SkipProgramName(const char* p) {
    if (*p == '"') {
        const char* closing = std::strchr(p + 1, '"');
        return closing == nullptr ? p + std::strlen(p) : closing + 1;
    }
    while (*p != '\0' && !IsBlank(*p)) {
        ++p;
    }
    return p;
}

}  // namespace

bool ServiceSwitchGiven(const char* args) { return StrLIComp(args, kLaunchSwitch, kSwitchLength) == 0; }

bool EditorSwitchGiven(const char* args) { return args != nullptr && std::strcmp(args, kLaunchSwitch) == 0; }

int RecogTimeoutFromArgs(const String& args) {
    // A text shorter than the switch leaves nothing to convert.
    const String number = args.size() > kSwitchLength ? args.substr(kSwitchLength) : String();
    return StrToInt(number);
}

const char* ArgumentText(const char* commandLine) {
    if (commandLine == nullptr) {
        return "";
    }
    return SkipBlanks(SkipProgramName(SkipBlanks(commandLine)));
}
