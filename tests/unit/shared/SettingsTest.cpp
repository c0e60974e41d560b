#include "shared/Settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "forms/headless/Testing.h"
#include "shared/headless/TestRegistry.h"
#include "tests/unit/shared/FreshSettingsStore.h"
#include "tests/unit/shared/StoredDataCases.h"

namespace {

using forms::testing::MessageBoxCall;
using forms::testing::MessageBoxes;
using testing::ElementsAre;
using testing::IsEmpty;

constexpr char kReadCaption[] = "Edgeroam 2 - Error: RegRead";
constexpr char kWriteCaption[] = "Edgeroam 2 - Error: WriteRead";
const char* const kAllSettings[] = {kSettingOnStartUp, kSettingRecogActive, kSettingHoriRecog,
                                    kSettingVertRecog, kSettingRecogTimeout};

MATCHER_P2(Box, text, caption, "") {
    return arg.text == text && arg.caption == caption && arg.flags == 0;
}

std::vector<unsigned char> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<unsigned char> WithNul(const std::string& text) {
    std::vector<unsigned char> bytes = Bytes(text);
    bytes.push_back(0);
    return bytes;
}

class SettingsTest : public FreshSettingsStore {
protected:
    static void Store(const char* name, std::uint32_t type, std::vector<unsigned char> data) {
        registry().PutValue(kSettingsKey, name, type, std::move(data));
    }
};

TEST_F(SettingsTest, EverySettingReadsBackWhatWasWritten) {
    const std::pair<const char*, std::string> written[] = {
        {kSettingOnStartUp, "1"},  {kSettingRecogActive, "0"},     {kSettingHoriRecog, "-1"},
        {kSettingVertRecog, "5"},  {kSettingRecogTimeout, "5000"},
    };
    for (const auto& [name, text] : written) {
        WriteSetting(name, text.c_str());
    }
    for (const auto& [name, text] : written) {
        EXPECT_EQ(ReadSetting(name), text) << name;
    }
    EXPECT_THAT(MessageBoxes(), IsEmpty());
}

TEST_F(SettingsTest, RewritingAValueReplacesIt) {
    WriteSetting(kSettingRecogTimeout, "5000");
    WriteSetting(kSettingRecogTimeout, String("75"));
    EXPECT_EQ(ReadSetting(kSettingRecogTimeout), "75");
}

struct WrittenBytes {
    const char* name;
    std::string text;
};

class SettingsBytesTest : public SettingsTest, public testing::WithParamInterface<WrittenBytes> {};

TEST_P(SettingsBytesTest, StoresTheTextAndOneNulAsExpandableText) {
    const WrittenBytes& c = GetParam();
    WriteSetting(c.name, c.text.c_str());
    const RawValue* value = registry().FindValue(kSettingsKey, c.name);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, 2u);
    EXPECT_EQ(value->data, WithNul(c.text));
    EXPECT_EQ(value->data.size(), c.text.size() + 1);
}

INSTANTIATE_TEST_SUITE_P(Texts, SettingsBytesTest,
                         testing::Values(WrittenBytes{kSettingOnStartUp, "1"},
                                         WrittenBytes{kSettingRecogTimeout, "5000"},
                                         WrittenBytes{kSettingHoriRecog, "-1"},
                                         WrittenBytes{kSettingVertRecog, ""},
                                         WrittenBytes{kSettingRecogTimeout, std::string(79, '9')}));

TEST_F(SettingsTest, WritingOverAnotherWritersTextStoresExpandableText) {
    Store(kSettingHoriRecog, kRegistryText, WithNul("4"));
    WriteSetting(kSettingHoriRecog, "2");
    EXPECT_EQ(registry().FindValue(kSettingsKey, kSettingHoriRecog)->type, kRegistryExpandableText);
}

TEST_F(SettingsTest, ReadCreatesTheEmptyKeyAndAddsNoValue) {
    EXPECT_EQ(ReadSetting(kSettingHoriRecog), "");
    EXPECT_TRUE(registry().HasKey("Software\\KorvantisTM"));
    EXPECT_TRUE(registry().HasKey("Software\\KorvantisTM\\Edgeroam2"));
    EXPECT_EQ(registry().ValueCount(kSettingsKey), 0u);
    EXPECT_THAT(MessageBoxes(), IsEmpty());
}

TEST_F(SettingsTest, MissingValueReadsEmptyWithoutMessage) {
    Store(kSettingVertRecog, kRegistryExpandableText, WithNul("3"));
    EXPECT_EQ(ReadSetting(kSettingHoriRecog), "");
    EXPECT_THAT(MessageBoxes(), IsEmpty());
}

TEST_F(SettingsTest, KeyThatCannotBeOpenedIsReportedOnEveryRead) {
    Store(kSettingHoriRecog, kRegistryExpandableText, WithNul("3"));
    registry().FailCreateKey(kRegistryAccessDenied);
    EXPECT_EQ(ReadSetting(kSettingHoriRecog), "");
    EXPECT_EQ(ReadSetting(kSettingVertRecog), "");
    EXPECT_THAT(MessageBoxes(), ElementsAre(Box("could not open registry key", kReadCaption),
                                            Box("could not open registry key", kReadCaption)));
}

TEST_F(SettingsTest, SaveIntoAKeyThatCannotBeCreatedReportsEachValueAndStoresNothing) {
    registry().FailCreateKey(kRegistryAccessDenied);
    for (const char* name : kAllSettings) {
        WriteSetting(name, "1");
    }
    EXPECT_THAT(MessageBoxes(), testing::Each(Box("could not create registry key", kWriteCaption)));
    EXPECT_EQ(MessageBoxes().size(), std::size(kAllSettings));
    EXPECT_FALSE(registry().HasKey("Software"));
}

class SettingsFailedSetTest : public SettingsTest, public testing::WithParamInterface<const char*> {};

TEST_P(SettingsFailedSetTest, IsReportedOnceAndTheOtherValuesAreStillWritten) {
    const std::string failing = GetParam();
    registry().FailSetValue(failing, kRegistryAccessDenied);
    for (const char* name : kAllSettings) {
        WriteSetting(name, "4");
    }
    EXPECT_THAT(MessageBoxes(), ElementsAre(Box("could not set event message file", kWriteCaption)));
    for (const char* name : kAllSettings) {
        EXPECT_EQ(registry().FindValue(kSettingsKey, name) != nullptr, name != failing) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(EachValue, SettingsFailedSetTest, testing::ValuesIn(kAllSettings));

class SettingsStoredDataTest : public SettingsTest, public testing::WithParamInterface<StoredDataCase> {};

TEST_P(SettingsStoredDataTest, ReadsSafely) {
    const StoredDataCase& c = GetParam();
    Store(kSettingRecogTimeout, c.type, Bytes(c.bytes));
    EXPECT_EQ(ReadSetting(kSettingRecogTimeout), c.text);
    EXPECT_THAT(MessageBoxes(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Data, SettingsStoredDataTest, testing::ValuesIn(kStoredDataCases),
                         [](const testing::TestParamInfo<StoredDataCase>& param) {
                             std::string name = param.param.what;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) {
                                     c = '_';
                                 }
                             }
                             return name;
                         });

TEST_F(SettingsTest, FailedQueryReadsEmptyWhateverTheBufferHolds) {
    Store(kSettingHoriRecog, kRegistryExpandableText, WithNul("3"));
    registry().FailQuery(kRegistryAccessDenied);
    EXPECT_EQ(ReadSetting(kSettingHoriRecog), "");
    EXPECT_THAT(MessageBoxes(), IsEmpty());
}

TEST_F(SettingsTest, GivenRegistryIsUsedInsteadOfTheSystemOne) {
    FakeRegistry own;
    WriteSetting(own, kSettingOnStartUp, "1");
    EXPECT_EQ(ReadSetting(own, kSettingOnStartUp), "1");
    EXPECT_EQ(own.OpenKeys(), 0u);
    EXPECT_FALSE(registry().HasKey(kSettingsKey));
}

}  // namespace
