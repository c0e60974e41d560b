// Editing the timeout: the up-down's steps and what is typed into the box.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/unit/options/OptionFixture.h"

using ::testing::ElementsAre;

namespace {

struct StepCase {
    const char* what;
    const char* typed;
    TUDBtnType arrow;
    int timeout;
    const char* box;
    bool rangeMessage;
};

void PrintTo(const StepCase& c, std::ostream* out) { *out << c.what; }

class OptionStepTest : public OptionTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(OptionStepTest, StepsFromTheTypedValueAndValidates) {
    const StepCase& c = GetParam();
    TForm1& form = OpenWith({});
    Type(form, {c.typed});
    form.sclRecogTimeout.Click(c.arrow);

    EXPECT_EQ(intRecogTimeout, c.timeout);
    EXPECT_EQ(form.txtRecogTimeout.Text(), c.box);
    ExpectOnlyRangeMessage(c.rangeMessage);
}

INSTANTIATE_TEST_SUITE_P(
    Arrows, OptionStepTest,
    ::testing::Values(StepCase{"UpNotRoundedToFive", "47", btNext, 52, "52", false},
                      StepCase{"Down", "200", btPrev, 195, "195", false},
                      StepCase{"UpToTheUpperBound", "4995", btNext, 5000, "5000", false},
                      StepCase{"DownToTheLowerBound", "55", btPrev, 50, "50", false},
                      StepCase{"UpPastTheRangeKeepsTheBox", "4998", btNext, 5000, "4998", true},
                      StepCase{"DownAtTheLowerBound", "50", btPrev, 50, "50", true},
                      StepCase{"UpAtTheUpperBound", "5000", btNext, 5000, "5000", true},
                      StepCase{"UpFromFarBelowClampsTo50", "-300", btNext, 50, "-300", true},
                      // The largest and smallest typed numbers step without overflow.
                      StepCase{"UpFromTheLargestInt", "2147483647", btNext, 5000, "2147483647", true},
                      StepCase{"DownFromTheSmallestInt", "-2147483648", btPrev, 50, "-2147483648", true}),
    CaseName());

TEST_F(OptionTest, StepsFollowEachOther) {
    TForm1& form = OpenWith({.recogTimeout = "60"});
    for (int i = 0; i < 3; ++i) {
        form.sclRecogTimeout.Click(btPrev);
    }
    EXPECT_THAT(ShownTexts(), ElementsAre(kRangeText));
    EXPECT_EQ(intRecogTimeout, 50);
    form.sclRecogTimeout.Click(btNext);
    EXPECT_EQ(form.txtRecogTimeout.Text(), "55");
}

TEST_F(OptionTest, OkAfterAFailedStepStoresTheClampedValueWithoutAnotherMessage) {
    TForm1& form = OpenWith({});
    Type(form, {"4998"});
    form.sclRecogTimeout.Click(btNext);
    forms::testing::ClearMessageBoxes();

    EXPECT_EQ(ExitStatusOf([&] { form.Button1.Click(); }), 0);
    EXPECT_THAT(ShownTexts(), ElementsAre(kSavedText));
    EXPECT_EQ(StoredTexts().back(), "5000");
}

struct TypingCase {
    const char* what;
    std::vector<std::string> typed;
    int timeout;
    std::vector<std::string> messages;
};

void PrintTo(const TypingCase& c, std::ostream* out) { *out << c.what; }

class OptionTypingTest : public OptionTest, public ::testing::WithParamInterface<TypingCase> {};

TEST_P(OptionTypingTest, TakesEveryIntegerWithoutARangeCheck) {
    const TypingCase& c = GetParam();
    TForm1& form = OpenWith({});
    Type(form, c.typed);

    EXPECT_EQ(intRecogTimeout, c.timeout);
    EXPECT_EQ(form.txtRecogTimeout.Text(), c.typed.back());
    EXPECT_EQ(ShownTexts(), c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OptionTypingTest,
    ::testing::Values(TypingCase{"DeletingFromTheEndKeeps2", {"20", "2", ""}, 2, {}},
                      TypingCase{"OutOfRangeIsTakenAsIs", {"9"}, 9, {}},
                      TypingCase{"Negative", {"-", "-7"}, -7, {NotAnInteger("-")}},
                      TypingCase{"LoneMinusKeepsTheValue", {"-"}, 200, {NotAnInteger("-")}},
                      TypingCase{"LettersKeepTheLastNumber", {"3", "3x"}, 3, {NotAnInteger("3x")}},
                      TypingCase{"TooLargeForAnInt", {"99999999999"}, 200, {NotAnInteger("99999999999")}}),
    CaseName());

}  // namespace
