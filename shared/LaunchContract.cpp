#include "shared/LaunchContract.h"

#include <cstring>

namespace {

constexpr std::size_t kSwitchLength = sizeof(kLaunchSwitch) - 1;

// The start-up code that calls WinMain ends the program name at the first
// character at or below the blank outside double quotes (each quote toggles),
// then skips every such character. It compares plain (signed) chars, so bytes
// from 0x80 up count as blanks as well.
bool IsSeparator(char c) { return static_cast<signed char>(c) <= ' '; }

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
    const char* p = commandLine;
    bool quoted = false;
    while (*p != '\0' && (quoted || !IsSeparator(*p))) {
        if (*p == '"') {
            quoted = !quoted;
        }
        ++p;
    }
    while (*p != '\0' && IsSeparator(*p)) {
        ++p;
    }
    return p;
}
