#include "forms/SysUtils.h"

#include <climits>
#include <cstdint>

namespace {

[[noreturn]] void ThrowNotAnInteger(const String& text) {
    throw EConvertError("'" + text + "' is not a valid integer value");
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

unsigned char LowerAscii(char c) {
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

}  // namespace

int StrToInt(const String& text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size()) {
        ThrowNotAnInteger(text);
    }
    // Magnitude limit: one more below zero than above.
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(INT_MIN) : INT_MAX;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!IsDigit(text[i])) {
            ThrowNotAnInteger(text);
        }
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > limit) {
            ThrowNotAnInteger(text);
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

String IntToStr(int value) { return std::to_string(value); }

int StrLIComp(const char* a, const char* b, std::size_t maxLen) {
    // A null text reads as the empty text rather than crashing.
    if (a == nullptr) {
        a = "";
    }
    if (b == nullptr) {
        b = "";
    }
    for (std::size_t i = 0; i < maxLen; ++i) {
        const int diff = LowerAscii(a[i]) - LowerAscii(b[i]);
        if (diff != 0 || a[i] == '\0') {
            return diff;
        }
    }
    return 0;
}
