// The registry operations the settings store needs, behind a seam so that the
// store runs against the real registry on Windows and an in-memory fake on
// the host. Results are Windows error codes; 0 is success.
#pragma once

#include <cstdint>

using RegistryKey = void*;  // an open key; only the registry that opened it knows it

inline constexpr long kRegistryOk = 0;                // ERROR_SUCCESS
inline constexpr long kRegistryNotFound = 2;          // ERROR_FILE_NOT_FOUND
inline constexpr long kRegistryAccessDenied = 5;      // ERROR_ACCESS_DENIED
inline constexpr long kRegistryInvalidHandle = 6;     // ERROR_INVALID_HANDLE
inline constexpr long kRegistryMoreData = 234;        // ERROR_MORE_DATA

// Value types.
inline constexpr std::uint32_t kRegistryText = 1;            // REG_SZ
inline constexpr std::uint32_t kRegistryExpandableText = 2;  // REG_EXPAND_SZ
inline constexpr std::uint32_t kRegistryBinary = 3;          // REG_BINARY

class Registry {
public:
    Registry() = default;
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;
    virtual ~Registry() = default;

    // Opens the key at subKey below the current user's root, creating it and
    // any missing key above it (RegCreateKeyA).
    virtual long CreateKey(const char* subKey, RegistryKey& key) = 0;

    // Copies the named value's data into data, which holds size bytes; size
    // comes back as the data's full size (RegQueryValueExA, type not asked).
    // Data that do not fit give kRegistryMoreData, and the buffer's contents
    // are then undefined. With data null only the size comes back.
    virtual long QueryValue(RegistryKey key, const char* name, unsigned char* data,
                            std::uint32_t& size) = 0;

    // Stores size bytes of data as the named value of the given type (RegSetValueExA).
    virtual long SetValue(RegistryKey key, const char* name, std::uint32_t type,
                          const unsigned char* data, std::uint32_t size) = 0;

    virtual long CloseKey(RegistryKey key) = 0;
};

// The registry of this build: the real one on Windows, the fake on the host.
Registry& SystemRegistry();
