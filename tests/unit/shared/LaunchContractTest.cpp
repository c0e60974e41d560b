#include "shared/LaunchContract.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/shared/CommandLineCases.h"

namespace {

// An argument text and whether each program accepts it: the service compares
// the first three characters without regard to case, the editor the whole text.
struct SwitchCase {
    const char* args;
    bool service;
    bool editor;
};

class LaunchSwitchTest : public testing::TestWithParam<SwitchCase> {};

TEST_P(LaunchSwitchTest, IsAcceptedByEachProgramAsExpected) {
    const SwitchCase& c = GetParam();
    EXPECT_EQ(ServiceSwitchGiven(c.args), c.service) << "service, \"" << c.args << '"';
    EXPECT_EQ(EditorSwitchGiven(c.args), c.editor) << "editor, \"" << c.args << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Args, LaunchSwitchTest,
    testing::Values(SwitchCase{"/ok", true, true}, SwitchCase{"/ok300", true, false},
                    SwitchCase{"/OK250", true, false}, SwitchCase{"/oK300", true, false},
                    SwitchCase{"/OK", true, false}, SwitchCase{"/Ok", true, false},
                    SwitchCase{"/ok ", true, false}, SwitchCase{"/ok1", true, false},
                    SwitchCase{"/okay", true, false}, SwitchCase{"", false, false},
                    SwitchCase{"/o", false, false}, SwitchCase{"ok300", false, false},
                    SwitchCase{"-ok300", false, false}, SwitchCase{"\"/ok300\"", false, false},
                    SwitchCase{" /ok", false, false}, SwitchCase{"/0k300", false, false}));

struct TimeoutCase {
    const char* args;
    int timeout;
};

class RecogTimeoutTest : public testing::TestWithParam<TimeoutCase> {};

TEST_P(RecogTimeoutTest, ConvertsEverythingAfterTheSwitch) {
    EXPECT_EQ(RecogTimeoutFromArgs(GetParam().args), GetParam().timeout);
}

INSTANTIATE_TEST_SUITE_P(Args, RecogTimeoutTest,
                         testing::Values(TimeoutCase{"/ok400", 400}, TimeoutCase{"/OK250", 250},
                                         TimeoutCase{"/ok0", 0}, TimeoutCase{"/ok-20", -20},
                                         TimeoutCase{"xyz75", 75},
                                         TimeoutCase{"/ok2147483647", 2147483647}));

struct BadTimeoutCase {
    const char* args;
    const char* message;  // names the text that was converted
};

class BadRecogTimeoutTest : public testing::TestWithParam<BadTimeoutCase> {};

TEST_P(BadRecogTimeoutTest, RaisesTheConversionError) {
    try {
        RecogTimeoutFromArgs(GetParam().args);
        ADD_FAILURE() << "no error for \"" << GetParam().args << '"';
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(Args, BadRecogTimeoutTest,
                         testing::Values(BadTimeoutCase{"/ok", "'' is not a valid integer value"},
                                         BadTimeoutCase{"/okay", "'ay' is not a valid integer value"},
                                         BadTimeoutCase{"/ok300 ", "'300 ' is not a valid integer value"},
                                         BadTimeoutCase{"/ok2147483648", "'2147483648' is not a valid integer value"},
                                         BadTimeoutCase{"/o", "'' is not a valid integer value"},
                                         BadTimeoutCase{"", "'' is not a valid integer value"}));

class ArgumentTextTest : public testing::TestWithParam<CommandLineCase> {};

TEST_P(ArgumentTextTest, IsTheCommandLineLessTheProgramName) {
    const char* line = GetParam().commandLine;
    const char* args = ArgumentText(line);
    EXPECT_STREQ(args, GetParam().args) << '"' << line << '"';
    // WinMain gets a pointer into the command line, not a copy.
    EXPECT_GE(args, line);
    EXPECT_LE(args, line + std::char_traits<char>::length(line));
}

INSTANTIATE_TEST_SUITE_P(CommandLines, ArgumentTextTest, testing::ValuesIn(kCommandLineCases));

TEST(ArgumentText, NullCommandLineGivesTheEmptyText) { EXPECT_STREQ(ArgumentText(nullptr), ""); }

}  // namespace
