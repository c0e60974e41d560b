// Leaving the window: OK validates and saves, Cancel and the close box do not.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/unit/options/OptionFixture.h"

using forms::testing::MessageBoxes;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::vector<unsigned char> TextAndNul(const std::string& text) {
    std::vector<unsigned char> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

struct SaveCase {
    const char* what;
    bool startupLoad;
    bool recogActive;
    int horizontal;
    int vertical;
    const char* typed;
    std::vector<std::string> written;
};

void PrintTo(const SaveCase& c, std::ostream* out) { *out << c.what; }

class OptionSaveTest : public OptionTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(OptionSaveTest, WritesTheFiveSettingsInOrderThenTellsAndEnds) {
    const SaveCase& c = GetParam();
    TForm1& form = OpenWith({.horiRecog = "7", .vertRecog = "7"});
    form.chkStartupLoad.SetChecked(c.startupLoad);
    form.chkRecogActive.SetChecked(c.recogActive);
    form.lstHorizontal.SetItemIndex(c.horizontal);
    form.lstVertical.SetItemIndex(c.vertical);
    Type(form, {c.typed});

    EXPECT_EQ(ExitStatusOf([&] { form.Button1.Click(); }), 0);

    EXPECT_THAT(MessageBoxes(), ElementsAre(EditorBox(kSavedText)));
    EXPECT_THAT(registry().SetValueLog(), ElementsAre(kSettingOnStartUp, kSettingRecogActive, kSettingHoriRecog,
                                                      kSettingVertRecog, kSettingRecogTimeout));
    const char* const names[] = {kSettingOnStartUp, kSettingRecogActive, kSettingHoriRecog, kSettingVertRecog,
                                 kSettingRecogTimeout};
    for (std::size_t i = 0; i < std::size(names); ++i) {
        const RawValue* value = registry().FindValue(kSettingsKey, names[i]);
        ASSERT_NE(value, nullptr) << names[i];
        EXPECT_EQ(value->type, kRegistryExpandableText) << names[i];
        EXPECT_EQ(value->data, TextAndNul(c.written[i])) << names[i];
    }
}

INSTANTIATE_TEST_SUITE_P(
    Choices, OptionSaveTest,
    ::testing::Values(SaveCase{"CheckedCopyDisabled200", true, true, 2, 0, "200", {"1", "1", "2", "0", "200"}},
                      SaveCase{"ClearedLastActionsBounds", false, false, 5, 4, "5000", {"0", "0", "5", "4", "5000"}},
                      SaveCase{"NothingSelectedStoresMinusOne", true, false, -1, -1, "50", {"1", "0", "-1", "-1", "50"}}),
    CaseName());

struct RefusedCase {
    const char* what;
    std::vector<std::string> typed;
    const char* box;
};

void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.what; }

class OptionRefusedSaveTest : public OptionTest, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(OptionRefusedSaveTest, ShowsTheClampedValueWritesNothingAndStays) {
    const RefusedCase& c = GetParam();
    TForm1& form = OpenWith({});
    Type(form, c.typed);

    EXPECT_EQ(ExitStatusOf([&] { form.Button1.Click(); }), std::nullopt);
    EXPECT_THAT(MessageBoxes(), ElementsAre(EditorBox(kRangeText)));
    EXPECT_EQ(form.txtRecogTimeout.Text(), c.box);
    EXPECT_THAT(registry().SetValueLog(), IsEmpty());
    EXPECT_EQ(Form1, &form);
    EXPECT_FALSE(form.Closed());
}

INSTANTIATE_TEST_SUITE_P(Timeouts, OptionRefusedSaveTest,
                         ::testing::Values(RefusedCase{"EmptiedBoxKeeps2", {"20", "2", ""}, "50"},
                                           RefusedCase{"TooSmall", {"49"}, "50"},
                                           RefusedCase{"TooLarge", {"5001"}, "5000"}),
                         CaseName());

TEST_F(OptionTest, SecondOkAfterARefusalSavesTheClampedValue) {
    TForm1& form = OpenWith({});
    Type(form, {"7"});
    EXPECT_EQ(ExitStatusOf([&] { form.Button1.Click(); }), std::nullopt);
    forms::testing::ClearMessageBoxes();

    EXPECT_EQ(ExitStatusOf([&] { form.Button1.Click(); }), 0);
    EXPECT_THAT(ShownTexts(), ElementsAre(kSavedText));
    EXPECT_EQ(StoredTexts().back(), "50");
}

TEST_F(OptionTest, CancelAfterEditsWritesNothingAndEnds) {
    TForm1& form = OpenWith({"1", "0", "3", "4", "300"});
    form.chkStartupLoad.Click();
    form.lstHorizontal.SetItemIndex(1);
    form.sclRecogTimeout.Click(btNext);

    EXPECT_EQ(ExitStatusOf([&] { form.Button2.Click(); }), 0);
    EXPECT_THAT(MessageBoxes(), IsEmpty());
    EXPECT_THAT(registry().SetValueLog(), IsEmpty());
    EXPECT_THAT(StoredTexts(), ElementsAre("1", "0", "3", "4", "300"));
}

TEST_F(OptionTest, EnterAndEscapePressOkAndCancel) {
    const TForm1& form = OpenWith({});
    EXPECT_EQ(form.DefaultButton(), &form.Button1);
    EXPECT_EQ(form.CancelButton(), &form.Button2);
}

TEST_F(OptionTest, SaveIntoAKeyThatCannotBeCreatedReportsEachValueThenTellsAndEnds) {
    TForm1& form = OpenWith({});
    registry().FailCreateKey(kRegistryAccessDenied);

    EXPECT_EQ(ExitStatusOf([&] { form.Button1.Click(); }), 0);

    const auto& shown = MessageBoxes();
    ASSERT_EQ(shown.size(), 6u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(shown[i].text, "could not create registry key");
        EXPECT_EQ(shown[i].caption, "Edgeroam 2 - Error: WriteRead");
    }
    EXPECT_THAT(shown.back(), EditorBox(kSavedText));
    EXPECT_THAT(registry().SetValueLog(), IsEmpty());
}

TEST_F(OptionTest, AValueThatCannotBeSetDoesNotStopTheOthers) {
    TForm1& form = OpenWith({});
    registry().FailSetValue(kSettingHoriRecog, kRegistryAccessDenied);

    EXPECT_EQ(ExitStatusOf([&] { form.Button1.Click(); }), 0);
    EXPECT_THAT(ShownTexts(), ElementsAre("could not set event message file", kSavedText));
    EXPECT_THAT(registry().SetValueLog(),
                ElementsAre(kSettingOnStartUp, kSettingRecogActive, kSettingVertRecog, kSettingRecogTimeout));
}

}  // namespace
