// The argument conversions on arbitrary command lines: the argument text that
// WinMain receives, both switch tests and the service's timeout conversion.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "shared/LaunchContract.h"

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

bool AtOrBelowBlank(char c) { return static_cast<signed char>(c) <= ' '; }

void CheckArgumentText(const std::string& line) {
    const char* begin = line.c_str();
    const char* end = begin + std::strlen(begin);
    const char* args = ArgumentText(begin);
    Require(args >= begin && args <= end, "argument text lies in the command line");
    Require(args == end || !AtOrBelowBlank(*args), "argument text starts after the blanks");
    if (std::find(begin, end, '"') == end) {
        // Without quotes: the first word, then every blank after it.
        const char* word = std::find_if(begin, end, AtOrBelowBlank);
        Require(args == std::find_if_not(word, end, AtOrBelowBlank), "unquoted name and its blanks skipped");
    }
}

void CheckSwitches(const char* args) {
    const std::size_t length = std::strlen(args);
    const bool service = length >= 3 && args[0] == '/' && std::tolower(static_cast<unsigned char>(args[1])) == 'o' &&
                         std::tolower(static_cast<unsigned char>(args[2])) == 'k';
    Require(ServiceSwitchGiven(args) == service, "service switch: first three characters, case ignored");
    Require(EditorSwitchGiven(args) == (std::strcmp(args, "/ok") == 0), "editor switch: exactly /ok");
}

// An optional minus and one to nine digits: always a valid timeout.
bool ShortDecimal(const std::string& text) {
    const std::size_t digits = text.size() - (text.starts_with('-') ? 1 : 0);
    return digits >= 1 && digits <= 9 &&
           std::all_of(text.end() - static_cast<std::ptrdiff_t>(digits), text.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

void CheckTimeout(const std::string& args) {
    const std::string rest = args.size() > 3 ? args.substr(3) : std::string();
    try {
        const int timeout = RecogTimeoutFromArgs(args);
        const std::size_t start = rest.find_first_not_of(' ');
        Require(start != std::string::npos, "a number was there");
        Require(std::strtoll(rest.c_str() + start, nullptr, 10) == timeout, "timeout is the number after the switch");
    } catch (const EConvertError&) {
        Require(!ShortDecimal(rest), "a short decimal text converts");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(bytes), size);  // may hold NULs: C text stops at the first
    CheckArgumentText(line);
    const char* args = ArgumentText(line.c_str());
    CheckSwitches(args);
    CheckTimeout(args);
    CheckTimeout(line);
    return 0;
}
