#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/headless/Testing.h"
#include "shared/Settings.h"
#include "shared/headless/TestRegistry.h"
#include "tests/unit/shared/FreshSettingsStore.h"

namespace {

using forms::testing::MessageBoxes;
using testing::IsEmpty;

// SettingMissing never shows a message, whatever happens.
class SettingMissingTest : public FreshSettingsStore {
protected:
    void TearDown() override {
        FreshSettingsStore::TearDown();
        EXPECT_THAT(MessageBoxes(), IsEmpty());
    }
};

TEST_F(SettingMissingTest, NoKeyMeansMissingAndLeavesTheEmptyKey) {
    EXPECT_TRUE(SettingMissing(kSettingOnStartUp));
    EXPECT_TRUE(registry().HasKey(kSettingsKey));
    EXPECT_EQ(registry().ValueCount(kSettingsKey), 0u);
}

TEST_F(SettingMissingTest, OnlyTheNamedValueCounts) {
    registry().PutValue(kSettingsKey, kSettingVertRecog, kRegistryExpandableText, {'3', 0});
    EXPECT_TRUE(SettingMissing(kSettingHoriRecog));
    EXPECT_FALSE(SettingMissing(kSettingVertRecog));
}

TEST_F(SettingMissingTest, ValueNamesIgnoreCase) {
    registry().PutValue(kSettingsKey, "recogtimeout", kRegistryText, {'5', 0});
    EXPECT_FALSE(SettingMissing(kSettingRecogTimeout));
}

// Whatever a value holds, it is there: a seeding caller must leave it alone.
struct PresentValue {
    const char* what;
    std::uint32_t type;
    std::vector<unsigned char> data;
};

void PrintTo(const PresentValue& c, std::ostream* os) { *os << c.what; }

class SettingPresentTest : public SettingMissingTest, public testing::WithParamInterface<PresentValue> {};

TEST_P(SettingPresentTest, IsNotMissing) {
    const PresentValue& c = GetParam();
    registry().PutValue(kSettingsKey, kSettingRecogTimeout, c.type, c.data);
    EXPECT_FALSE(SettingMissing(kSettingRecogTimeout));
    EXPECT_EQ(registry().FindValue(kSettingsKey, kSettingRecogTimeout)->data, c.data);
}

INSTANTIATE_TEST_SUITE_P(
    Data, SettingPresentTest,
    testing::Values(PresentValue{"text", kRegistryExpandableText, {'2', '5', '0', 0}},
                    PresentValue{"empty text", kRegistryExpandableText, {0}},
                    PresentValue{"no data at all", kRegistryText, {}},
                    PresentValue{"longer than the read buffer", kRegistryText, std::vector<unsigned char>(4096, '7')},
                    PresentValue{"a number stored as DWORD", 4, {1, 0, 0, 0}}));

TEST_F(SettingMissingTest, KeyThatCannotBeOpenedIsNotCalledMissing) {
    registry().FailCreateKey(kRegistryAccessDenied);
    EXPECT_FALSE(SettingMissing(kSettingOnStartUp));
}

TEST_F(SettingMissingTest, QueryThatFailsOtherwiseIsNotCalledMissing) {
    registry().PutValue(kSettingsKey, kSettingOnStartUp, kRegistryExpandableText, {'1', 0});
    registry().FailQuery(kRegistryAccessDenied);
    EXPECT_FALSE(SettingMissing(kSettingOnStartUp));
}

TEST_F(SettingMissingTest, GivenRegistryIsUsedInsteadOfTheSystemOne) {
    FakeRegistry own;
    own.PutValue(kSettingsKey, kSettingHoriRecog, kRegistryExpandableText, {'1', 0});
    EXPECT_FALSE(SettingMissing(own, kSettingHoriRecog));
    EXPECT_TRUE(SettingMissing(own, kSettingVertRecog));
    EXPECT_EQ(own.OpenKeys(), 0u);
    EXPECT_FALSE(registry().HasKey(kSettingsKey));
}

}  // namespace
