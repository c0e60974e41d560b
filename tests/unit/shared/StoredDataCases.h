// What another writer may have left in a setting's value, and the text that
// ReadSetting makes of it. The host test stores these in the fake registry,
// the Windows test in the real one: both must read the same.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

struct StoredDataCase {
    const char* what;
    std::uint32_t type;
    std::string bytes;
    std::string text;
};

inline void PrintTo(const StoredDataCase& c, std::ostream* os) { *os << c.what; }

inline const StoredDataCase kStoredDataCases[] = {
    {"REG_SZ", 1, std::string("250", 4), "250"},
    {"REG_EXPAND_SZ", 2, std::string("250", 4), "250"},
    {"REG_BINARY holding a text", 3, std::string("250", 4), "250"},
    {"percent signs not expanded", 2, std::string("%TEMP%", 7), "%TEMP%"},
    {"78 characters", 2, std::string(78, '1') + '\0', std::string(78, '1')},
    {"79 characters fill the buffer", 1, std::string(79, '2') + '\0', std::string(79, '2')},
    {"80 characters", 1, std::string(80, '3') + '\0', ""},
    {"80 bytes without NUL", 2, std::string(80, '4'), ""},
    {"4096 bytes without NUL", 2, std::string(4096, '5'), ""},
    {"short text followed by 4096 bytes", 2, std::string("12", 3) + std::string(4096, '6'), ""},
    {"short text without NUL", 1, "123", ""},
    {"binary without NUL", 3, "123", ""},
    {"no data", 2, "", ""},
    {"only a NUL", 2, std::string(1, '\0'), ""},
    {"text up to the first NUL", 1, std::string("12\0" "34", 6), "12"},
    {"REG_DWORD 1", 4, std::string("\x01\0\0\0", 4), "\x01"},
};
