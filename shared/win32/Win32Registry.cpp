#include "shared/win32/Win32Registry.h"

namespace {

HKEY KeyOf(RegistryKey key) { return static_cast<HKEY>(key); }

}  // namespace

long Win32Registry::CreateKey(const char* subKey, RegistryKey& key) {
    HKEY opened = nullptr;
    const LONG result = RegCreateKeyA(root_, subKey, &opened);
    key = opened;
    return result;
}

long Win32Registry::QueryValue(RegistryKey key, const char* name, unsigned char* data, std::uint32_t& size) {
    DWORD bytes = size;
    const LONG result = RegQueryValueExA(KeyOf(key), name, nullptr, nullptr, data, &bytes);
    size = bytes;
    return result;
}

long Win32Registry::SetValue(RegistryKey key, const char* name, std::uint32_t type, const unsigned char* data,
                             std::uint32_t size) {
    return RegSetValueExA(KeyOf(key), name, 0, type, data, size);
}

long Win32Registry::CloseKey(RegistryKey key) { return RegCloseKey(KeyOf(key)); }
