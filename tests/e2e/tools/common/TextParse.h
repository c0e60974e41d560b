#pragma once
// Number and byte parsing for the command lines of the e2e tools.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// A whole text as a number: "0x1f" hexadecimal, otherwise decimal; an optional '-'.
std::optional<std::int64_t> parseInteger(std::string_view text);

// The same, limited to [min, max].
std::optional<std::int64_t> parseIntegerIn(std::string_view text, std::int64_t min, std::int64_t max);

// "31003200" -> {0x31, 0x00, 0x32, 0x00}; empty text -> no bytes; odd length or non-hex -> nullopt.
std::optional<std::vector<std::uint8_t>> parseHexBytes(std::string_view hex);

// Lower-case hex, two digits per byte, no separators.
std::string toHex(std::span<const std::uint8_t> bytes);

// ASCII comparison that ignores case, as Windows compares class and registry names.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace e2e
