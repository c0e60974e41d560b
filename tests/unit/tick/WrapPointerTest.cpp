#include <string>
#include <vector>

#include "tests/unit/tick/TickTestSupport.h"

namespace {

// One tick of WrapPointer: what the platform reports and what must follow.
struct WrapStep {
    TTickPoint sampled;
    std::vector<TTickPoint> targets;  // SetCursorPos calls, in order
    TMotion motion;
    TTickPoint stored;  // LastX, LastY afterwards
    std::int32_t width = 1024;
    std::int32_t height = 768;
    bool readable = true;
};

struct WrapCase {
    std::string name;
    TTickPoint storedBefore;
    std::vector<WrapStep> steps;
};

std::ostream& operator<<(std::ostream& out, const WrapCase& c) {
    return out << c.name;
}

const WrapCase kWrapCases[] = {
    {"Inside", {500, 300}, {{.sampled = {520, 290}, .targets = {}, .motion = {20, -10}, .stored = {520, 290}}}},
    {"LeftEdge", {500, 300}, {{.sampled = {0, 310}, .targets = {{1022, 310}}, .motion = {-2, 0}, .stored = {1022, 300}}}},
    {"RightEdge", {500, 300}, {{.sampled = {1023, 310}, .targets = {{1, 310}}, .motion = {1, 0}, .stored = {1, 300}}}},
    {"TopEdge", {500, 300}, {{.sampled = {510, 0}, .targets = {{510, 766}}, .motion = {0, -1}, .stored = {500, 766}}}},
    {"BottomEdge", {500, 300}, {{.sampled = {510, 767}, .targets = {{510, 1}}, .motion = {0, 1}, .stored = {500, 1}}}},
    // A corner wraps one axis per tick: the vertical rules test the stored y.
    {"TopLeftCornerOverTwoTicks", {500, 300},
     {{.sampled = {0, 0}, .targets = {{1022, 0}}, .motion = {-2, 0}, .stored = {1022, 300}},
      {.sampled = {1022, 0}, .targets = {{1022, 766}}, .motion = {0, -1}, .stored = {1022, 766}}}},
    {"BottomRightCornerOverTwoTicks", {500, 300},
     {{.sampled = {1023, 767}, .targets = {{1, 767}}, .motion = {1, 0}, .stored = {1, 300}},
      {.sampled = {1, 767}, .targets = {{1, 1}}, .motion = {0, 1}, .stored = {1, 1}}}},
    // Other monitors: x is tested against the primary width alone.
    {"BottomRowOfMonitorToTheRight", {500, 300}, {{.sampled = {1500, 767}, .targets = {{1500, 1}}, .motion = {0, 1}, .stored = {500, 1}}}},
    {"RightOfPrimaryScreen", {500, 300}, {{.sampled = {1024, 300}, .targets = {}, .motion = {524, 0}, .stored = {1024, 300}}}},
    {"LeftOfPrimaryScreen", {500, 300}, {{.sampled = {-5, 300}, .targets = {}, .motion = {-505, 0}, .stored = {-5, 300}}}},
    {"AbovePrimaryScreen", {500, 300}, {{.sampled = {500, -1}, .targets = {}, .motion = {0, -301}, .stored = {500, -1}}}},
    {"BelowPrimaryScreen", {500, 300}, {{.sampled = {500, 768}, .targets = {}, .motion = {0, 468}, .stored = {500, 768}}}},
    // The first tick measures from (0, 0); on the top row the stored y of 0
    // also sets off the vertical rule in the same tick.
    {"FirstTickInside", {0, 0}, {{.sampled = {400, 200}, .targets = {}, .motion = {400, 200}, .stored = {400, 200}}}},
    {"FirstTickOnTopRow", {0, 0}, {{.sampled = {300, 0}, .targets = {{300, 766}}, .motion = {0, -1}, .stored = {0, 766}}}},
    {"FirstTickAtTopLeftCorner", {0, 0},
     {{.sampled = {0, 0}, .targets = {{1022, 0}, {1022, 766}}, .motion = {0, -1}, .stored = {1024, 766}},
      {.sampled = {1022, 766}, .targets = {}, .motion = {-2, 0}, .stored = {1022, 766}}}},
    // The screen size is read anew at every tick.
    {"ScreenGrowsBetweenTicks", {500, 300},
     {{.sampled = {1279, 400}, .targets = {}, .motion = {779, 100}, .stored = {1279, 400}},
      {.sampled = {1279, 400}, .targets = {{1, 400}}, .motion = {1, 0}, .stored = {1, 400}, .width = 1280, .height = 800}}},
    {"ScreenShrinksUnderStoredBottomRow", {500, 300},
     {{.sampled = {640, 767}, .targets = {}, .motion = {140, 467}, .stored = {640, 767}, .width = 1280, .height = 800},
      {.sampled = {0, 700}, .targets = {{1022, 700}, {1022, 1}}, .motion = {0, 1}, .stored = {1024, 1}}}},
    // An unreadable pointer is not moved and measures no motion.
    {"PointerUnreadable", {500, 300},
     {{.sampled = {0, 0}, .targets = {}, .motion = {0, 0}, .stored = {500, 300}, .readable = false},
      {.sampled = {0, 310}, .targets = {{1022, 310}}, .motion = {-2, 0}, .stored = {1022, 300}}}},
};

class WrapPointerTest : public TickTest, public ::testing::WithParamInterface<WrapCase> {};

TEST_P(WrapPointerTest, MovesPointerAndMeasuresMotion) {
    const WrapCase& c = GetParam();
    LastX = c.storedBefore.X;
    LastY = c.storedBefore.Y;
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
        const WrapStep& step = c.steps[i];
        SCOPED_TRACE("tick " + std::to_string(i + 1));
        platform.ClearLog();
        platform.pointer = step.sampled;
        platform.pointerReadable = step.readable;
        platform.screenWidth = step.width;
        platform.screenHeight = step.height;

        EXPECT_EQ(WrapPointer(platform), step.motion);
        EXPECT_EQ(platform.cursorTargets, step.targets);
        EXPECT_EQ((TTickPoint{LastX, LastY}), step.stored);
    }
}

INSTANTIATE_TEST_SUITE_P(Screen1024x768, WrapPointerTest, ::testing::ValuesIn(kWrapCases),
                         CaseName());

using WrapPointerCallsTest = TickTest;

TEST_F(WrapPointerCallsTest, ReadsPointerThenWidthThenHeightBeforeMoving) {
    LastX = 500;
    LastY = 300;
    platform.pointer = {0, 310};
    WrapPointer(platform);
    EXPECT_EQ(platform.calls, (std::vector<TickCall>{TickCall::GetCursorPos, TickCall::GetSystemMetrics,
                                                     TickCall::GetSystemMetrics, TickCall::SetCursorPos}));
    EXPECT_EQ(platform.metricIndexes, (std::vector<std::int32_t>{smCxScreen, smCyScreen}));
}

TEST_F(WrapPointerCallsTest, UnreadablePointerAsksNothingMore) {
    platform.pointerReadable = false;
    WrapPointer(platform);
    EXPECT_EQ(platform.calls, std::vector<TickCall>{TickCall::GetCursorPos});
}

TEST_F(WrapPointerCallsTest, TickWrapsThenTracksTheWrapMotion) {
    LastX = 500;
    LastY = 300;
    platform.pointer = {0, 310};
    platform.clock = 7000;
    RunTick(platform);
    EXPECT_EQ(platform.calls,
              (std::vector<TickCall>{TickCall::GetCursorPos, TickCall::GetSystemMetrics, TickCall::GetSystemMetrics,
                                     TickCall::SetCursorPos, TickCall::timeGetTime, TickCall::timeGetTime}));
    EXPECT_EQ(CurrentDirection, dirLeft);
    EXPECT_EQ(StrokeHistory[0], (TStroke{dirLeft, 7000}));
}

// Motion that crosses an edge keeps going the same way: one stroke.
struct CrossingCase {
    std::string name;
    TTickPoint storedBefore;
    std::vector<TTickPoint> path;  // pointer at each tick
    TDirection direction;
};

std::ostream& operator<<(std::ostream& out, const CrossingCase& c) {
    return out << c.name;
}

const CrossingCase kCrossingCases[] = {
    {"Left", {600, 300}, {{100, 300}, {0, 300}, {990, 300}, {900, 300}}, dirLeft},
    {"Right", {400, 300}, {{900, 300}, {1023, 300}, {30, 300}, {120, 300}}, dirRight},
    {"Up", {500, 600}, {{500, 100}, {500, 0}, {500, 700}, {500, 650}}, dirUp},
    {"Down", {500, 100}, {{500, 600}, {500, 767}, {500, 40}, {500, 90}}, dirDown},
};

class EdgeCrossingTest : public TickTest, public ::testing::WithParamInterface<CrossingCase> {};

TEST_P(EdgeCrossingTest, StaysOneStroke) {
    const CrossingCase& c = GetParam();
    LastX = c.storedBefore.X;
    LastY = c.storedBefore.Y;
    std::uint32_t clock = 20000;
    for (const TTickPoint& position : c.path) {
        platform.pointer = position;
        platform.clock = clock;
        RunTick(platform);
        EXPECT_EQ(CurrentDirection, c.direction) << "at " << position;
        clock += 50;
    }
    EXPECT_EQ(StrokeHistory[0], (TStroke{c.direction, 20000}));
    EXPECT_EQ(StrokeHistory[1], (TStroke{dirNone, 0}));
    EXPECT_EQ(platform.cursorTargets.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Screen1024x768, EdgeCrossingTest, ::testing::ValuesIn(kCrossingCases),
                         CaseName());

}  // namespace
