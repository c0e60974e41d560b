#include "tests/e2e/tools/common/RegistryPath.h"

#include <array>
#include <limits>

#include "tests/e2e/tools/common/TextParse.h"

namespace e2e {
namespace {

struct RootName {
  std::string_view shortName;
  std::string_view longName;
  RegistryRoot root;
};

constexpr std::array kRoots{
    RootName{"HKCR", "HKEY_CLASSES_ROOT", RegistryRoot::classesRoot},
    RootName{"HKCU", "HKEY_CURRENT_USER", RegistryRoot::currentUser},
    RootName{"HKLM", "HKEY_LOCAL_MACHINE", RegistryRoot::localMachine},
    RootName{"HKU", "HKEY_USERS", RegistryRoot::users},
};

// Type names by their number (the index).
constexpr std::array<std::string_view, 12> kTypeNames{
    "REG_NONE",          "REG_SZ",           "REG_EXPAND_SZ",
    "REG_BINARY",        "REG_DWORD",        "REG_DWORD_BIG_ENDIAN",
    "REG_LINK",          "REG_MULTI_SZ",     "REG_RESOURCE_LIST",
    "REG_FULL_RESOURCE_DESCRIPTOR", "REG_RESOURCE_REQUIREMENTS_LIST", "REG_QWORD",
};

}  // namespace

std::optional<RegistryPath> parseRegistryPath(std::string_view path) {
  const auto slash = path.find('\\');
  const std::string_view rootText = path.substr(0, slash);
  for (const RootName& entry : kRoots) {
    if (!equalsIgnoringCase(rootText, entry.shortName) && !equalsIgnoringCase(rootText, entry.longName)) continue;
    RegistryPath result;
    result.root = entry.root;
    if (slash != std::string_view::npos) result.subkey = path.substr(slash + 1);
    return result;
  }
  return std::nullopt;
}

std::optional<std::uint32_t> parseRegistryType(std::string_view type) {
  for (std::size_t i = 0; i < kTypeNames.size(); ++i) {
    if (equalsIgnoringCase(type, kTypeNames[i])) return static_cast<std::uint32_t>(i);
  }
  const auto number = parseIntegerIn(type, 0, std::numeric_limits<std::uint32_t>::max());
  if (!number) return std::nullopt;
  return static_cast<std::uint32_t>(*number);
}

std::string registryTypeName(std::uint32_t type) {
  if (type < kTypeNames.size()) return std::string(kTypeNames[type]);
  return std::to_string(type);
}

}  // namespace e2e
