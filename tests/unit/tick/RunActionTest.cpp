#include <climits>
#include <vector>

#include "tests/unit/tick/TickTestSupport.h"

namespace {

struct ActionCase {
    TActionCode code;
    std::vector<KeyEvent> keys;
};

std::ostream& operator<<(std::ostream& out, const ActionCase& c) {
    return out << "code " << c.code;
}

const ActionCase kActionCases[] = {
    {acCut, kCutKeys},
    {acCopy, kCopyKeys},
    {acPaste, kPasteKeys},
    {acBackInIE, kBackKeys},
    {acForwardInIE, kForwardKeys},
    {acDisabled, {}},
    {6, {}},
    {-1, {}},
    {INT_MIN, {}},
    {INT_MAX, {}},
};

class RunActionTest : public TickTest, public ::testing::WithParamInterface<ActionCase> {};

TEST_P(RunActionTest, SendsExactlyTheShortcutOfTheCode) {
    const ActionCase& c = GetParam();
    RunAction(platform, c.code);
    EXPECT_EQ(platform.keyEvents, c.keys);
    EXPECT_EQ(platform.calls.size(), c.keys.size()) << "nothing but key events";
}

INSTANTIATE_TEST_SUITE_P(Codes, RunActionTest, ::testing::ValuesIn(kActionCases));

}  // namespace
