#include "forms/SysUtils.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct ValidCase {
    String text;
    int value;
};

class StrToIntAccepts : public testing::TestWithParam<ValidCase> {};

TEST_P(StrToIntAccepts, ReturnsTheValue) { EXPECT_EQ(StrToInt(GetParam().text), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Texts, StrToIntAccepts,
                         testing::Values(ValidCase{"0", 0}, ValidCase{"5", 5}, ValidCase{" 5", 5},
                                         ValidCase{"  -12", -12}, ValidCase{"+7", 7}, ValidCase{"-0", 0},
                                         ValidCase{"007", 7}, ValidCase{"400", 400},
                                         ValidCase{"2147483647", INT_MAX}, ValidCase{"-2147483648", INT_MIN},
                                         ValidCase{"00000000002147483647", INT_MAX}));

class StrToIntRefuses : public testing::TestWithParam<String> {};

TEST_P(StrToIntRefuses, RaisesConvertErrorNamingTheText) {
    const String& text = GetParam();
    try {
        StrToInt(text);
        FAIL() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'" + text + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, StrToIntRefuses,
                         testing::Values("", " ", "5 ", "-", "+", "ay", "0x10", "1 2", "- 5", "+-5", "5a",
                                         "2147483648", "-2147483649", "99999999999999999999",
                                         String("5\0", 2)));

TEST(StrToInt, ConvertErrorIsAnException) {
    EXPECT_THROW(StrToInt("ay"), Exception);
    try {
        StrToInt("ay");
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "'ay' is not a valid integer value");
    }
}

TEST(IntToStr, WritesDecimalTextThatReadsBack) {
    for (const int value : {0, 5, -1, -20, 400, INT_MAX, INT_MIN}) {
        EXPECT_EQ(StrToInt(IntToStr(value)), value);
    }
    EXPECT_EQ(IntToStr(-1), "-1");
    EXPECT_EQ(IntToStr(INT_MIN), "-2147483648");
}

struct CompareCase {
    const char* a;
    const char* b;
    std::size_t maxLen;
    int sign;
};

int Sign(int v) { return (v > 0) - (v < 0); }

class StrLICompCases : public testing::TestWithParam<CompareCase> {};

TEST_P(StrLICompCases, ComparesIgnoringCase) {
    const CompareCase& c = GetParam();
    EXPECT_EQ(Sign(StrLIComp(c.a, c.b, c.maxLen)), c.sign) << "'" << (c.a ? c.a : "(null)") << "' vs '"
                                                          << (c.b ? c.b : "(null)") << "', " << c.maxLen;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrLICompCases,
    testing::Values(CompareCase{"/ok", "/OK", 3, 0}, CompareCase{"/Ok400", "/ok", 3, 0},
                    CompareCase{"/okay", "/ok", 3, 0}, CompareCase{"/ox", "/ok", 3, 1},
                    CompareCase{"abc", "ABD", 3, -1}, CompareCase{"ABD", "abc", 3, 1},
                    CompareCase{"ab", "abc", 3, -1}, CompareCase{"abc", "ab", 3, 1},
                    CompareCase{"/o", "/ok", 3, -1}, CompareCase{"ab", "abc", 2, 0},
                    CompareCase{"", "", 5, 0}, CompareCase{"", "a", 1, -1}, CompareCase{"abc", "xyz", 0, 0},
                    CompareCase{"a", "B", 1, -1}, CompareCase{"abc\0x", "abc\0y", 10, 0},
                    CompareCase{"\xe9", "\xc9", 1, 1}, CompareCase{nullptr, "", 3, 0},
                    CompareCase{nullptr, "a", 1, -1}, CompareCase{"a", nullptr, 1, 1}));

}  // namespace
