#include <windows.h>

#include "launcher/win32/Win32LauncherPlatform.h"

#include <string>
#include <vector>

#include "launcher/Launcher.h"

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr DWORD kLongestPath = 32768;  // the longest path Windows knows, in characters

std::wstring Wide(const String& text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

String Utf8(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    String text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

// An open registry key, closed when it goes.
class OpenKey {
public:
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    HKEY* Out() { return &key_; }
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// A kernel handle, closed when it goes.
class OwnedHandle {
public:
    explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    ~OwnedHandle() {
        if (handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }

private:
    HANDLE handle_;
};

std::wstring RunEntryName() { return Wide(kRunEntryName); }

}  // namespace

String Win32LauncherPlatform::ProgramPath() {
    // The buffer grows until the path fits; a cut path is never used.
    for (DWORD size = MAX_PATH; size <= kLongestPath; size *= 2) {
        std::wstring path(size, L'\0');
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
        if (length == 0) {
            return {};
        }
        if (length < size) {
            path.resize(length);
            return Utf8(path);
        }
    }
    return {};
}

std::optional<String> Win32LauncherPlatform::RunEntry() {
    OpenKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, key.Out()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const std::wstring name = RunEntryName();
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    // Room for a NUL that the stored data may lack.
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &bytes) !=
            ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return String();  // there, but not a text: never equal to the data the launcher wants
    }
    return Utf8(std::wstring(data.data()));
}

bool Win32LauncherPlatform::SetRunEntry(const String& data) {
    OpenKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.Out(), nullptr) !=
        ERROR_SUCCESS) {
        return false;
    }
    const std::wstring text = Wide(data);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key.Get(), RunEntryName().c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          bytes) == ERROR_SUCCESS;
}

bool Win32LauncherPlatform::RemoveRunEntry() {
    OpenKey key;
    const LONG opened = RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, key.Out());
    if (opened == ERROR_FILE_NOT_FOUND) {
        return true;
    }
    if (opened != ERROR_SUCCESS) {
        return false;
    }
    const LONG deleted = RegDeleteValueW(key.Get(), RunEntryName().c_str());
    return deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
}

bool Win32LauncherPlatform::StartProgram(const String& path, const String& arguments) {
    const std::wstring program = Wide(path);
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::wstring commandLine = L"\"" + program + L"\" " + Wide(arguments);
    const std::wstring directory = Wide(DirectoryOf(path));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
        return false;
    }
    const OwnedHandle processHandle(process.hProcess);
    const OwnedHandle threadHandle(process.hThread);
    return true;
}
