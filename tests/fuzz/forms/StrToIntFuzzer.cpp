// StrToInt on arbitrary text, against a reference parse written another way:
// the grammar checked first, then the digits (leading zeros dropped) compared
// by length and converted only when they are short enough to be exact.
// IntToStr of a number taken from the same bytes must read back unchanged.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "forms/SysUtils.h"

namespace {

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

// Leading blanks, an optional sign, one or more digits, nothing else; a
// value within the signed 32-bit range.
std::optional<int> ReferenceParse(const std::string& text) {
    const std::size_t signAt = text.find_first_not_of(' ');
    if (signAt == std::string::npos) {
        return std::nullopt;
    }
    const bool negative = text[signAt] == '-';
    const std::size_t digitsAt = signAt + ((text[signAt] == '-' || text[signAt] == '+') ? 1 : 0);
    const std::string digits = text.substr(digitsAt);
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    const std::string significant = firstSignificant == std::string::npos ? "0" : digits.substr(firstSignificant);
    if (significant.size() > 10) {
        return std::nullopt;
    }
    const long long magnitude = std::strtoll(significant.c_str(), nullptr, 10);
    const long long value = negative ? -magnitude : magnitude;
    if (value < INT_MIN || value > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

void CheckConversion(const std::string& text) {
    const std::optional<int> expected = ReferenceParse(text);
    try {
        const int value = StrToInt(text);
        Require(expected.has_value(), "accepted only what the reference accepts");
        Require(value == *expected, "the same value as the reference");
    } catch (const EConvertError& e) {
        Require(!expected.has_value(), "refused only what the reference refuses");
        Require(e.Message() == "'" + text + "' is not a valid integer value", "the message names the text");
    }
}

void CheckRoundTrip(const std::uint8_t* bytes, std::size_t size) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, bytes, size < sizeof bits ? size : sizeof bits);
    const auto value = static_cast<int>(bits);
    const String text = IntToStr(value);
    Require(StrToInt(text) == value, "IntToStr reads back");
    Require(ReferenceParse(text) == value, "IntToStr writes what the reference reads");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);  // NULs included
    CheckConversion(text);
    CheckRoundTrip(bytes, size);
    return 0;
}
