// The settings store on the real registry, below a key of the test's own that
// is removed afterwards: the bytes and types it writes, what it reads back.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "shared/Settings.h"
#include "shared/win32/Win32Registry.h"
#include "tests/unit/shared/StoredDataCases.h"

namespace {

constexpr char kTestsRoot[] = "Software\\EdgeroamTests";

struct RawValueRead {
    long result = 0;
    DWORD type = 0;
    std::vector<unsigned char> data;
};

class SettingsWin32Test : public testing::Test {
protected:
    void SetUp() override {
        rootPath_ = std::string(kTestsRoot) + "\\settings-" + std::to_string(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, rootPath_.c_str(), &root_), ERROR_SUCCESS);
        registry_.emplace(root_);
    }
    void TearDown() override {
        RegCloseKey(root_);
        EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, rootPath_.c_str()), ERROR_SUCCESS);
        HKEY gone = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, rootPath_.c_str(), 0, KEY_READ, &gone), ERROR_FILE_NOT_FOUND);
        RegDeleteKeyA(HKEY_CURRENT_USER, kTestsRoot);  // fails while another test still has its key there
    }

    // Opens the settings key below the test's root; false when it does not exist.
    bool OpenSettingsKey(HKEY& key) const {
        return RegOpenKeyExA(root_, kSettingsKey, 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS;
    }

    RawValueRead QueryRaw(const char* name) const {
        RawValueRead read;
        HKEY key = nullptr;
        if (!OpenSettingsKey(key)) {
            read.result = ERROR_FILE_NOT_FOUND;
            return read;
        }
        DWORD size = 0;
        read.result = RegQueryValueExA(key, name, nullptr, &read.type, nullptr, &size);
        read.data.resize(size);
        if (read.result == ERROR_SUCCESS && size > 0) {
            read.result = RegQueryValueExA(key, name, nullptr, &read.type, read.data.data(), &size);
            read.data.resize(size);
        }
        RegCloseKey(key);
        return read;
    }

    // Another writer: stores exactly the given bytes with the given type.
    void StoreRaw(const char* name, DWORD type, const std::string& bytes) const {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyA(root_, kSettingsKey, &key), ERROR_SUCCESS);
        // A text value's NUL is added by RegSetValueExA when the byte after the
        // data is one; a byte other than NUL there keeps the data as given.
        std::vector<BYTE> data(bytes.begin(), bytes.end());
        data.push_back('x');
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, data.data(), static_cast<DWORD>(bytes.size())), ERROR_SUCCESS);
        RegCloseKey(key);
        EXPECT_EQ(QueryRaw(name).data, std::vector<unsigned char>(bytes.begin(), bytes.end()));
    }

    Registry& registry() { return *registry_; }

private:
    std::string rootPath_;
    HKEY root_ = nullptr;
    std::optional<Win32Registry> registry_;  // the real registry, rooted at root_
};

struct WrittenCase {
    const char* name;
    const char* text;
};

class SettingsWin32BytesTest : public SettingsWin32Test, public testing::WithParamInterface<WrittenCase> {};

TEST_P(SettingsWin32BytesTest, WritesExpandableTextWithOneNul) {
    const WrittenCase& c = GetParam();
    WriteSetting(registry(), c.name, c.text);
    const RawValueRead read = QueryRaw(c.name);
    ASSERT_EQ(read.result, ERROR_SUCCESS);
    EXPECT_EQ(read.type, static_cast<DWORD>(REG_EXPAND_SZ));
    std::vector<unsigned char> expected(c.text, c.text + std::strlen(c.text) + 1);
    EXPECT_EQ(read.data, expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, SettingsWin32BytesTest,
                         testing::Values(WrittenCase{"OnStartUp", "1"}, WrittenCase{"RecogTimeout", "5000"},
                                         WrittenCase{"HoriRecog", "-1"}));

TEST_F(SettingsWin32Test, EverySettingReadsBackWhatWasWritten) {
    const WrittenCase written[] = {{kSettingOnStartUp, "0"},
                                   {kSettingRecogActive, "1"},
                                   {kSettingHoriRecog, "2"},
                                   {kSettingVertRecog, "5"},
                                   {kSettingRecogTimeout, "250"}};
    for (const WrittenCase& c : written) {
        WriteSetting(registry(), c.name, c.text);
    }
    for (const WrittenCase& c : written) {
        EXPECT_EQ(ReadSetting(registry(), c.name), c.text) << c.name;
    }
}

TEST_F(SettingsWin32Test, ReadCreatesTheEmptyKey) {
    HKEY key = nullptr;
    ASSERT_FALSE(OpenSettingsKey(key));
    EXPECT_EQ(ReadSetting(registry(), kSettingHoriRecog), "");
    ASSERT_TRUE(OpenSettingsKey(key));
    DWORD values = 99;
    EXPECT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                               nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(values, 0u);
    RegCloseKey(key);
}

class SettingsWin32StoredTest : public SettingsWin32Test, public testing::WithParamInterface<StoredDataCase> {};

TEST_P(SettingsWin32StoredTest, ReadsAsOnTheFake) {
    const StoredDataCase& c = GetParam();
    StoreRaw(kSettingRecogTimeout, c.type, c.bytes);
    EXPECT_EQ(ReadSetting(registry(), kSettingRecogTimeout), c.text);
}

INSTANTIATE_TEST_SUITE_P(Data, SettingsWin32StoredTest, testing::ValuesIn(kStoredDataCases));

// The programs' own registry: the settings key below the current user's root.
// Only a value of the test's own is written, and removed again.
TEST(SystemRegistryWin32Test, IsTheCurrentUsersSettingsKey) {
    HKEY existing = nullptr;
    const bool makerKeyExisted =
        RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\KorvantisTM", 0, KEY_READ, &existing) == ERROR_SUCCESS;
    if (makerKeyExisted) {
        RegCloseKey(existing);
    }
    constexpr char kValue[] = "EdgeroamTestValue";
    WriteSetting(kValue, "7");

    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\KorvantisTM\\Edgeroam2", 0, KEY_READ | KEY_WRITE, &key),
              ERROR_SUCCESS);
    DWORD type = 0;
    char data[8] = {};
    DWORD size = sizeof data;
    EXPECT_EQ(RegQueryValueExA(key, kValue, nullptr, &type, reinterpret_cast<BYTE*>(data), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(std::string(data, size), std::string("7", 2));
    EXPECT_EQ(ReadSetting(kValue), "7");
    RegDeleteValueA(key, kValue);
    RegCloseKey(key);
    if (!makerKeyExisted) {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\KorvantisTM");
    }
}

}  // namespace
