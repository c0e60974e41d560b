#pragma once
// Registry key paths and value types as the e2e tools write them on the command line:
// "HKCU\Software\Vendor\Key" (or HKEY_CURRENT_USER\...; HKLM, HKCR, HKU likewise) and
// REG_EXPAND_SZ (or any REG_ name, or the type's number).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace e2e {

enum class RegistryRoot { classesRoot, currentUser, localMachine, users };

struct RegistryPath {
  RegistryRoot root = RegistryRoot::currentUser;
  std::string subkey;  // without a leading backslash; empty for the root itself
};

std::optional<RegistryPath> parseRegistryPath(std::string_view path);

std::optional<std::uint32_t> parseRegistryType(std::string_view type);

// "REG_EXPAND_SZ" for 2; the decimal number for a type without a name.
std::string registryTypeName(std::uint32_t type);

}  // namespace e2e
