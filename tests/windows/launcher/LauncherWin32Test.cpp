// The launcher's system calls and the settings query it relies on, against
// the real registry and process creation. The current user's Run value of the
// launcher is saved before each test and put back afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "launcher/Launcher.h"
#include "launcher/win32/Win32LauncherPlatform.h"
#include "shared/Settings.h"
#include "shared/win32/Win32Registry.h"

namespace {

constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct RawRunValue {
    DWORD type = 0;
    std::vector<BYTE> data;
};

std::optional<RawRunValue> ReadRunValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    RawRunValue value;
    DWORD size = 0;
    std::optional<RawRunValue> found;
    if (RegQueryValueExA(key, kRunEntryName, nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
        value.data.resize(size);
        RegQueryValueExA(key, kRunEntryName, nullptr, &value.type, value.data.data(), &size);
        found = value;
    }
    RegCloseKey(key);
    return found;
}

void WriteRunValue(DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kRunKey, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, kRunEntryName, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    RegCloseKey(key);
}

void DeleteRunValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, kRunEntryName);
        RegCloseKey(key);
    }
}

class LauncherPlatformWin32Test : public testing::Test {
protected:
    void SetUp() override {
        saved_ = ReadRunValue();
        DeleteRunValue();
    }
    void TearDown() override {
        DeleteRunValue();
        if (saved_) {
            WriteRunValue(saved_->type, saved_->data.data(), static_cast<DWORD>(saved_->data.size()));
        }
    }

    Win32LauncherPlatform platform;

private:
    std::optional<RawRunValue> saved_;
};

TEST_F(LauncherPlatformWin32Test, ProgramPathIsThisProgramsFullPath) {
    char expected[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, expected, MAX_PATH), 0u);
    EXPECT_EQ(platform.ProgramPath(), expected);
}

TEST_F(LauncherPlatformWin32Test, RunEntryIsStoredAsTextReadBackAndRemoved) {
    EXPECT_EQ(platform.RunEntry(), std::nullopt);
    const String data = "\"C:\\Program Files\\Edgeroam 2\\Edgeroam2StartUp.exe\"";
    ASSERT_TRUE(platform.SetRunEntry(data));
    EXPECT_EQ(platform.RunEntry(), data);

    const std::optional<RawRunValue> raw = ReadRunValue();
    ASSERT_TRUE(raw.has_value());
    EXPECT_EQ(raw->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(std::string(raw->data.begin(), raw->data.end()), data + '\0');

    EXPECT_TRUE(platform.RemoveRunEntry());
    EXPECT_EQ(platform.RunEntry(), std::nullopt);
    EXPECT_TRUE(platform.RemoveRunEntry()) << "removing an entry that is not there is no failure";
}

TEST_F(LauncherPlatformWin32Test, PathOutsideTheAnsiCodePageSurvivesTheRoundTrip) {
    const String data = "\"C:\\Users\\\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0\\\xE3\x82\xA8\\Edgeroam2StartUp.exe\"";
    ASSERT_TRUE(platform.SetRunEntry(data));
    EXPECT_EQ(platform.RunEntry(), data);
}

// What another program may have left under the launcher's name.
TEST_F(LauncherPlatformWin32Test, EntryThatIsNoTextNeverEqualsAPath) {
    const DWORD number = 1;
    WriteRunValue(REG_DWORD, &number, sizeof number);
    EXPECT_EQ(platform.RunEntry(), String());
    const char unterminated[] = {'a', 'b', 'c'};
    WriteRunValue(REG_SZ, unterminated, sizeof unterminated);
    EXPECT_EQ(platform.RunEntry(), "abc");
}

TEST_F(LauncherPlatformWin32Test, ProgramThatDoesNotExistIsNotStarted) {
    EXPECT_FALSE(platform.StartProgram("C:\\no such folder\\edgeroam2.exe", "/ok1000"));
}

TEST_F(LauncherPlatformWin32Test, StartedProgramGetsTheArgumentText) {
    char system[MAX_PATH] = {};
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 0u);
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string marker = std::string(temp) + "launcher-start-" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(marker.c_str());
    ASSERT_TRUE(platform.StartProgram(std::string(system) + "\\cmd.exe", "/c echo started>\"" + marker + "\""));
    // The launcher does not wait for the program: poll for its mark, for at most ten seconds.
    std::string seen;
    for (int i = 0; i < 200 && seen.rfind("started", 0) != 0; ++i) {
        Sleep(50);
        HANDLE file = CreateFileA(marker.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            continue;
        }
        char buffer[64] = {};
        DWORD read = 0;
        ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
        CloseHandle(file);
        seen.assign(buffer, read);
    }
    EXPECT_EQ(seen.substr(0, 7), "started");
    DeleteFileA(marker.c_str());
}

// SettingMissing on the real registry: the query without a buffer tells a
// missing value from an empty one, whatever the stored size.
class SettingMissingWin32Test : public testing::Test {
protected:
    void SetUp() override {
        rootPath_ = "Software\\EdgeroamTests\\missing-" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, rootPath_.c_str(), &root_), ERROR_SUCCESS);
        registry_.emplace(root_);
    }
    void TearDown() override {
        registry_.reset();
        RegCloseKey(root_);
        RegDeleteTreeA(HKEY_CURRENT_USER, rootPath_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\EdgeroamTests");
    }
    void Store(const char* name, DWORD type, const std::string& bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyA(root_, kSettingsKey, &key), ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }

    std::string rootPath_;
    HKEY root_ = nullptr;
    std::optional<Win32Registry> registry_;
};

TEST_F(SettingMissingWin32Test, TellsMissingFromStoredWhateverItHolds) {
    EXPECT_TRUE(SettingMissing(*registry_, kSettingRecogTimeout));
    const std::pair<DWORD, std::string> stored[] = {
        {REG_EXPAND_SZ, std::string("1000", 5)},
        {REG_EXPAND_SZ, std::string(1, '\0')},
        {REG_SZ, std::string()},
        {REG_EXPAND_SZ, std::string(4096, '7')},
        {REG_DWORD, std::string("\x01\x00\x00\x00", 4)},
    };
    for (const auto& [type, bytes] : stored) {
        Store(kSettingRecogTimeout, type, bytes);
        EXPECT_FALSE(SettingMissing(*registry_, kSettingRecogTimeout)) << "type " << type << ", " << bytes.size()
                                                                       << " bytes";
    }
    EXPECT_TRUE(SettingMissing(*registry_, kSettingHoriRecog));
}

}  // namespace
