// Loading the five settings into the window while it is created.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/unit/options/OptionFixture.h"

using forms::testing::MessageBoxes;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace {

struct LoadCase {
    const char* what;
    StoredSettings stored;
    bool startupLoad;
    bool recogActive;
    int horizontal;
    int vertical;
    int timeout;
    bool rangeMessage;
};

void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.what; }

class OptionLoadTest : public OptionTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(OptionLoadTest, ShowsTheStoredSettings) {
    const LoadCase& c = GetParam();
    StoreAll(c.stored);
    const TForm1& form = Open();

    EXPECT_EQ(form.chkStartupLoad.Checked(), c.startupLoad);
    EXPECT_EQ(form.chkRecogActive.Checked(), c.recogActive);
    EXPECT_EQ(form.lstHorizontal.ItemIndex(), c.horizontal);
    EXPECT_EQ(form.lstVertical.ItemIndex(), c.vertical);
    EXPECT_EQ(intRecogTimeout, c.timeout);
    EXPECT_EQ(form.txtRecogTimeout.Text(), IntToStr(c.timeout));
    ExpectOnlyRangeMessage(c.rangeMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Stored, OptionLoadTest,
    ::testing::Values(
        LoadCase{"AllZero", {"0", "0", "0", "0", "200"}, false, false, 0, 0, 200, false},
        LoadCase{"OnesAndLastActions", {"1", "1", "5", "5", "1000"}, true, true, 5, 5, 1000, false},
        LoadCase{"AnyNonZeroChecks", {"7", "-1", "2", "3", "200"}, true, true, 2, 3, 200, false},
        LoadCase{"ActionSevenSelectsNothing", {"0", "0", "7", "1", "200"}, false, false, -1, 1, 200, false},
        LoadCase{"ActionMinusOneSelectsNothing", {"0", "0", "4", "-1", "200"}, false, false, 4, -1, 200, false},
        LoadCase{"LowerBoundIsValid", {"0", "0", "0", "0", "50"}, false, false, 0, 0, 50, false},
        LoadCase{"UpperBoundIsValid", {"0", "0", "0", "0", "5000"}, false, false, 0, 0, 5000, false},
        LoadCase{"BelowRangeClampsTo50", {"0", "0", "0", "0", "30"}, false, false, 0, 0, 50, true},
        LoadCase{"JustBelowRange", {"0", "0", "0", "0", "49"}, false, false, 0, 0, 50, true},
        LoadCase{"NegativeClampsTo50", {"0", "0", "0", "0", "-2147483648"}, false, false, 0, 0, 50, true},
        LoadCase{"AboveRangeClampsTo5000", {"0", "0", "0", "0", "6000"}, false, false, 0, 0, 5000, true},
        LoadCase{"JustAboveRange", {"0", "0", "0", "0", "5001"}, false, false, 0, 0, 5000, true}),
    CaseName());

TEST_F(OptionTest, BothListsOfferTheSixActionsInCodeOrder) {
    StoreAll({});
    const TForm1& form = Open();
    const char* const actions[] = {"Disabled", "Cut", "Copy", "Paste", "Back in IE", "Forward in IE"};
    EXPECT_THAT(form.lstHorizontal.Items().All(), ElementsAreArray(actions));
    EXPECT_THAT(form.lstVertical.Items().All(), ElementsAreArray(actions));
}

TEST_F(OptionTest, RangeMessageComesBeforeTheWindowIsShown) {
    StoreAll({.recogTimeout = "30"});
    TForm1& form = Open();
    EXPECT_THAT(MessageBoxes(), ElementsAre(EditorBox(kRangeText)));
    EXPECT_FALSE(form.Visible());
    Application->Run();
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(form.txtRecogTimeout.Text(), "50");
}

// A setting that is not a number stops the load at that setting: the error is
// reported, the window still opens, and what comes later keeps its first state.
struct BrokenLoadCase {
    const char* what;
    StoredSettings stored;
    std::string badText;
    bool startupLoad;
    bool recogActive;
    int horizontal;
    int vertical;
    const char* box;
};

void PrintTo(const BrokenLoadCase& c, std::ostream* out) { *out << c.what; }

class OptionBrokenLoadTest : public OptionTest, public ::testing::WithParamInterface<BrokenLoadCase> {};

TEST_P(OptionBrokenLoadTest, ReportsTheConversionAndLeavesLaterControlsAsLaidOut) {
    const BrokenLoadCase& c = GetParam();
    StoreAll(c.stored);
    TForm1& form = Open();

    ASSERT_EQ(MessageBoxes().size(), 1u);
    EXPECT_EQ(MessageBoxes()[0].text, NotAnInteger(c.badText));
    EXPECT_EQ(Form1, &form);
    EXPECT_EQ(form.chkStartupLoad.Checked(), c.startupLoad);
    EXPECT_EQ(form.chkRecogActive.Checked(), c.recogActive);
    EXPECT_EQ(form.lstHorizontal.ItemIndex(), c.horizontal);
    EXPECT_EQ(form.lstVertical.ItemIndex(), c.vertical);
    EXPECT_EQ(form.lstHorizontal.Items().Count(), 6);
    EXPECT_EQ(form.lstVertical.Items().Count(), 6);
    EXPECT_EQ(form.txtRecogTimeout.Text(), c.box);
    // The value OK would store is the one the box shows.
    EXPECT_EQ(IntToStr(intRecogTimeout), form.txtRecogTimeout.Text());
}

INSTANTIATE_TEST_SUITE_P(
    NotANumber, OptionBrokenLoadTest,
    ::testing::Values(
        BrokenLoadCase{"FirstRunNothingStored", {"", "", "", "", ""}, "", false, false, -1, -1, "200"},
        BrokenLoadCase{"OnStartUp", {"yes", "1", "2", "3", "700"}, "yes", false, false, -1, -1, "200"},
        BrokenLoadCase{"RecogActive", {"1", "on", "2", "3", "700"}, "on", true, false, -1, -1, "200"},
        BrokenLoadCase{"HoriRecog", {"1", "1", "Copy", "3", "700"}, "Copy", true, true, -1, -1, "200"},
        BrokenLoadCase{"VertRecog", {"1", "1", "2", "3.0", "700"}, "3.0", true, true, 2, -1, "200"},
        BrokenLoadCase{"RecogTimeout", {"1", "1", "2", "3", "200ms"}, "200ms", true, true, 2, 3, "200"},
        BrokenLoadCase{"TimeoutBeyondInt", {"1", "1", "2", "3", "2147483648"}, "2147483648", true, true, 2, 3,
                       "200"}),
    CaseName());

TEST_F(OptionTest, AfterABrokenLoadOkStoresWhatTheWindowShows) {
    StoreAll({.onStartUp = "x", .recogTimeout = "900"});
    TForm1& form = Open();
    forms::testing::ClearMessageBoxes();

    EXPECT_EQ(ExitStatusOf([&] { form.Button1.Click(); }), 0);
    EXPECT_THAT(ShownTexts(), ElementsAre(kSavedText));
    EXPECT_THAT(StoredTexts(), ElementsAre("0", "0", "-1", "-1", "200"));
}

TEST_F(OptionTest, KeyThatCannotBeOpenedIsReportedAndTheWindowStillOpens) {
    registry().FailCreateKey(kRegistryAccessDenied);
    const TForm1& form = Open();
    ASSERT_EQ(MessageBoxes().size(), 2u);
    EXPECT_EQ(MessageBoxes()[0].text, "could not open registry key");
    EXPECT_EQ(MessageBoxes()[1].text, NotAnInteger(""));
    EXPECT_EQ(form.txtRecogTimeout.Text(), "200");
}

}  // namespace
