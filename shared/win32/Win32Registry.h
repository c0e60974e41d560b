// The real registry through the ANSI functions, below a root key that is the
// current user's root for the programs and a key of its own for tests.
#pragma once

#include <windows.h>

#include "shared/Registry.h"

class Win32Registry : public Registry {
public:
    explicit Win32Registry(HKEY root) : root_(root) {}

    long CreateKey(const char* subKey, RegistryKey& key) override;
    long QueryValue(RegistryKey key, const char* name, unsigned char* data, std::uint32_t& size) override;
    long SetValue(RegistryKey key, const char* name, std::uint32_t type, const unsigned char* data,
                  std::uint32_t size) override;
    long CloseKey(RegistryKey key) override;

private:
    HKEY root_;
};
