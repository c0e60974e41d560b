// wtool commands that read and plant registry values as raw bytes, through the *A functions
// the programs under test use.

#include <windows.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tests/e2e/tools/common/RegistryPath.h"
#include "tests/e2e/tools/common/TextParse.h"
#include "tests/e2e/tools/common/ToolError.h"
#include "tests/e2e/tools/common/win32/Handles.h"
#include "tests/e2e/tools/common/win32/ToolMain.h"
#include "tests/e2e/tools/wtool/Commands.h"

namespace e2e {
namespace {

HKEY rootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::classesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::currentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::localMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::users: return HKEY_USERS;
  }
  return HKEY_CURRENT_USER;
}

RegistryPath pathArg(const std::string& text) {
  auto path = parseRegistryPath(text);
  if (!path) throw ToolError(kUsage, "not a registry key (HKCU\\...): '" + text + "'");
  return *path;
}

// A failed registry call: "not found" gets its own exit status.
[[noreturn]] void registryFailure(const std::string& what, LSTATUS status) {
  const bool missing = status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
  throw ToolError(missing ? kNotFound : kFailed, what + ": " + errorText(static_cast<unsigned long>(status)));
}

RegistryKey openKey(const std::string& keyText, REGSAM access) {
  const RegistryPath path = pathArg(keyText);
  HKEY key = nullptr;
  const LSTATUS status = RegOpenKeyExA(rootKey(path.root), path.subkey.c_str(), 0, access, &key);
  if (status != ERROR_SUCCESS) registryFailure("cannot open " + keyText, status);
  return RegistryKey(key);
}

}  // namespace

int commandRegQuery(const Args& args) {
  const RegistryKey key = openKey(args[0], KEY_QUERY_VALUE);
  const std::string& name = args[1];
  DWORD type = 0;
  DWORD size = 0;
  LSTATUS status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size);
  std::vector<BYTE> data(size);
  while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
    // Query again with room for the data; it may have grown in between.
    data.resize(size);
    status = RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, data.data(), &size);
    if (status == ERROR_SUCCESS) break;
  }
  if (status != ERROR_SUCCESS) registryFailure("cannot read value '" + name + "' of " + args[0], status);
  data.resize(size);
  printLine(registryTypeName(type) + " " + toHex(data));
  return 0;
}

// Every value of a key, one a line: NAME, a tab, then TYPE HEX as regquery prints them.
int commandRegDump(const Args& args) {
  const RegistryKey key = openKey(args[0], KEY_QUERY_VALUE);
  DWORD count = 0;
  DWORD longestName = 0;
  DWORD longestData = 0;
  LSTATUS status = RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                                    &longestName, &longestData, nullptr, nullptr);
  if (status != ERROR_SUCCESS) registryFailure("cannot read " + args[0], status);
  std::vector<char> name(longestName + 1);
  std::vector<BYTE> data(longestData);
  for (DWORD i = 0; i < count; ++i) {
    DWORD nameSize = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    status = RegEnumValueA(key.get(), i, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
    if (status != ERROR_SUCCESS) registryFailure("cannot read value " + std::to_string(i) + " of " + args[0], status);
    printLine(std::string(name.data(), nameSize) + "\t" + registryTypeName(type) + " " +
              toHex(std::span<const std::uint8_t>(data.data(), dataSize)));
  }
  return 0;
}

int commandRegSet(const Args& args) {
  const RegistryPath path = pathArg(args[0]);
  const auto type = parseRegistryType(args[2]);
  if (!type) throw ToolError(kUsage, "not a registry type: '" + args[2] + "'");
  const auto data = parseHexBytes(args[3]);
  if (!data) throw ToolError(kUsage, "not hex bytes: '" + args[3] + "'");
  HKEY created = nullptr;
  LSTATUS status = RegCreateKeyExA(rootKey(path.root), path.subkey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                   &created, nullptr);
  if (status != ERROR_SUCCESS) registryFailure("cannot create " + args[0], status);
  const RegistryKey key(created);
  // For a text type RegSetValueExA looks at the byte after the data: a NUL there would be
  // counted in (a terminator the caller "forgot"). A guard byte that is no NUL keeps the
  // stored bytes exactly the ones given.
  std::vector<std::uint8_t> guarded = *data;
  guarded.push_back(0xff);
  status = RegSetValueExA(key.get(), args[1].c_str(), 0, *type, guarded.data(), static_cast<DWORD>(data->size()));
  if (status != ERROR_SUCCESS) registryFailure("cannot set value '" + args[1] + "' of " + args[0], status);
  return 0;
}

// With a value name: deletes that value. Without: deletes the key and all below it.
int commandRegDelete(const Args& args) {
  if (args.size() > 1) {
    const RegistryKey key = openKey(args[0], KEY_SET_VALUE);
    const LSTATUS status = RegDeleteValueA(key.get(), args[1].c_str());
    if (status != ERROR_SUCCESS) registryFailure("cannot delete value '" + args[1] + "' of " + args[0], status);
    return 0;
  }
  const RegistryPath path = pathArg(args[0]);
  if (path.subkey.empty()) throw ToolError(kUsage, "refusing to delete a whole root key");
  const LSTATUS status = RegDeleteTreeA(rootKey(path.root), path.subkey.c_str());
  if (status != ERROR_SUCCESS) registryFailure("cannot delete " + args[0], status);
  return 0;
}

}  // namespace e2e
