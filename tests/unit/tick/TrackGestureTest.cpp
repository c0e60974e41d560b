#include <climits>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "tests/unit/tick/TickTestSupport.h"

namespace {

constexpr TStroke R(std::uint32_t time) { return {dirRight, time}; }
constexpr TStroke L(std::uint32_t time) { return {dirLeft, time}; }

// Runs TrackGesture for one tick whose clock readings come in this order
// (the last one repeats).
void TrackTick(FakeTickPlatform& platform, TMotion motion, const std::vector<std::uint32_t>& readings) {
    platform.clockQueue.assign(readings.begin(), readings.end() - 1);
    platform.clock = readings.back();
    TrackGesture(platform, motion.Dx, motion.Dy);
}

// ---- classification ----

struct ClassifyCase {
    TMotion motion;
    TDirection direction;
};

std::ostream& operator<<(std::ostream& out, const ClassifyCase& c) {
    return out << c.motion << " -> " << static_cast<int>(c.direction);
}

const ClassifyCase kClassifyCases[] = {
    {{0, 0}, dirNone},
    {{1, 0}, dirRight},
    {{-1, 0}, dirLeft},
    {{0, 1}, dirDown},
    {{0, -1}, dirUp},
    {{5, -5}, dirUp},  // a diagonal counts as vertical
    {{5, 5}, dirDown},
    {{-5, 5}, dirDown},
    {{-6, 5}, dirLeft},
    {{6, -5}, dirRight},
    {{-5, -6}, dirUp},
    {{INT_MIN, 0}, dirLeft},  // magnitudes compared without overflow
    {{INT_MIN, INT_MAX}, dirLeft},
    {{INT_MAX, INT_MIN}, dirUp},
    {{INT_MIN, INT_MIN}, dirUp},
};

class ClassifyTest : public TickTest, public ::testing::WithParamInterface<ClassifyCase> {};

TEST_P(ClassifyTest, SetsDirectionAndRecordsRealStrokes) {
    const ClassifyCase& c = GetParam();
    CurrentDirection = dirDown;  // every tick writes it before reading it
    TrackTick(platform, c.motion, {5000});
    EXPECT_EQ(CurrentDirection, c.direction);
    const TStroke expected = c.direction == dirNone ? TStroke{dirNone, 0} : TStroke{c.direction, 5000};
    EXPECT_EQ(StrokeHistory[0], expected);
}

INSTANTIATE_TEST_SUITE_P(Motions, ClassifyTest, ::testing::ValuesIn(kClassifyCases));

// ---- the nine-tick gesture ----

struct NineTick {
    std::uint32_t clock;
    TMotion motion;
    TDirection direction;
    std::vector<TStroke> history;  // entries from 0 afterwards; the rest empty
};

const NineTick kNineTicks[] = {
    {10000, {30, 2}, dirRight, {R(10000)}},
    {10050, {-25, -3}, dirLeft, {L(10050), R(10000)}},
    {10100, {28, 0}, dirRight, {R(10100), L(10050), R(10000)}},
    {10150, {0, 0}, dirNone, {R(10100), L(10050), R(10000)}},
    {10200, {12, 1}, dirRight, {R(10100), L(10050), R(10000)}},
    {10250, {-30, 4}, dirLeft, {L(10250), R(10100), L(10050), R(10000)}},
    {10300, {31, -2}, dirRight, {R(10300), L(10250), R(10100), L(10050), R(10000)}},
    {10350, {-29, 0}, dirLeft, {L(10350), R(10300), L(10250), R(10100), L(10050), R(10000)}},
    {10400, {33, 5}, dirRight, {R(10400), L(10350), R(10300), L(10250), R(10100), L(10050), R(10000)}},
};

struct NineTickTimeout {
    const char* name;
    std::int32_t timeout;
    bool recognised;  // at the ninth tick
};

std::ostream& operator<<(std::ostream& out, const NineTickTimeout& c) {
    return out << c.name;
}

class NineTickGestureTest : public TickTest, public ::testing::WithParamInterface<NineTickTimeout> {};

TEST_P(NineTickGestureTest, RecognisedOnlyWithinTimeout) {
    const NineTickTimeout& c = GetParam();
    RecogTimeoutMs = c.timeout;
    HoriRecogAction = acCopy;
    VertRecogAction = acPaste;
    for (std::size_t i = 0; i < std::size(kNineTicks); ++i) {
        const NineTick& tick = kNineTicks[i];
        SCOPED_TRACE("tick " + std::to_string(i + 1));
        TrackTick(platform, tick.motion, {tick.clock});
        EXPECT_EQ(CurrentDirection, tick.direction);

        const bool fires = c.recognised && i + 1 == std::size(kNineTicks);
        std::vector<TStroke> expected(tick.history);
        expected.resize(kStrokeHistorySize, TStroke{dirNone, 0});
        if (fires) {
            expected.assign(kStrokeHistorySize, TStroke{dirNone, 0});
        }
        EXPECT_EQ(std::vector<TStroke>(StrokeHistory.begin(), StrokeHistory.end()), expected);
        EXPECT_EQ(platform.keyEvents, fires ? kCopyKeys : std::vector<KeyEvent>{});
    }

    // Later ticks only make the same strokes older.
    const std::size_t sent = platform.keyEvents.size();
    for (std::uint32_t clock : {10450u, 10800u, 12000u}) {
        TrackTick(platform, {0, 0}, {clock});
    }
    EXPECT_EQ(platform.keyEvents.size(), sent);
}

INSTANTIATE_TEST_SUITE_P(Timeouts, NineTickGestureTest,
                         ::testing::Values(NineTickTimeout{"Timeout1000", 1000, true},
                                           NineTickTimeout{"Timeout400", 400, false}),
                         CaseName());

// ---- scripted stroke sequences ----

struct ScriptTick {
    TDirection direction;
    std::vector<std::uint32_t> clock;  // readings in order, the last repeats
};

// One tick per letter (R, L, U, D; '.' for no motion), `step` ms apart.
std::vector<ScriptTick> Ticks(std::string_view letters, std::uint32_t start, std::uint32_t step = 50) {
    std::vector<ScriptTick> ticks;
    std::uint32_t clock = start;
    for (char letter : letters) {
        TDirection direction = dirNone;
        switch (letter) {
        case 'R': direction = dirRight; break;
        case 'L': direction = dirLeft; break;
        case 'U': direction = dirUp; break;
        case 'D': direction = dirDown; break;
        default: break;
        }
        ticks.push_back({direction, {clock}});
        clock += step;
    }
    return ticks;
}

std::vector<ScriptTick> operator+(std::vector<ScriptTick> a, const std::vector<ScriptTick>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

constexpr std::uint32_t kClockMax = UINT32_MAX;  // the last reading before the roll-over

struct GestureCase {
    std::string name;
    std::int32_t timeout;
    TActionCode hori;
    TActionCode vert;
    std::vector<ScriptTick> ticks;
    std::vector<std::size_t> firesAt;  // 1-based ticks that empty the history
    std::vector<KeyEvent> keys;        // all key events, in order
};

std::ostream& operator<<(std::ostream& out, const GestureCase& c) {
    return out << c.name;
}

std::vector<KeyEvent> operator+(std::vector<KeyEvent> a, const std::vector<KeyEvent>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const GestureCase kGestureCases[] = {
    // Seven strokes span six tick intervals.
    {"SevenConsecutiveTicksTimeout300", 300, acCopy, acCopy, Ticks("RLRLRLR", 10000), {}, {}},
    {"SevenConsecutiveTicksTimeout301", 301, acCopy, acCopy, Ticks("RLRLRLR", 10000), {7}, kCopyKeys},
    {"IdleAndRepeatedTicksNeitherRecordNorEndAStroke", 1000, acCut, acCopy, Ticks("R..R.LRLRLR", 10000), {11}, kCutKeys},
    {"BrokenAlternation", 1000, acCopy, acCopy, Ticks("RLRULRLR", 10000), {}, {}},
    // Entry 7 holds the U when the seventh stroke after it arrives.
    {"SevenStrokesAfterTheBreak", 1000, acCopy, acCopy, Ticks("RLRULRLRLRL", 10000), {11}, kCopyKeys},
    {"MixedAxesDoNotAlternate", 1000, acCopy, acCopy, Ticks("RURURUR", 10000), {}, {}},
    {"SixStrokesAfterEmptyHistory", 1000, acCopy, acCopy, Ticks("RLRLRL....", 10000), {}, {}},
    {"SecondGestureNeedsSevenNewStrokes", 1000, acCopy, acCopy, Ticks("RLRLRLRLRLRLRL", 10000), {7, 14}, kCopyKeys + kCopyKeys},
    {"FirstStrokeAfterGestureMayRepeatItsLastDirection", 1000, acCopy, acCopy, Ticks("RLRLRLRRLRLRLR", 10000), {7, 14}, kCopyKeys + kCopyKeys},
    {"HorizontalGestureRunsHoriAction", 1000, acBackInIE, acForwardInIE, Ticks("LRLRLRL", 10000), {7}, kBackKeys},
    {"UpDownGestureRunsVertAction", 1000, acCopy, acPaste, Ticks("UDUDUDU", 10000), {7}, kPasteKeys},
    {"DownUpGestureRunsVertAction", 1000, acCopy, acForwardInIE, Ticks("DUDUDUD", 10000), {7}, kForwardKeys},
    {"DisabledActionStillEmptiesHistory", 1000, acDisabled, acCopy, Ticks("RLRLRLRR", 10000), {7}, {}},
    {"UnknownActionStillEmptiesHistory", 1000, -1, acCopy, Ticks("RLRLRLR", 10000), {7}, {}},
    {"ZeroTimeoutRecognisesNothing", 0, acCopy, acCopy, Ticks("RLRLRLR", 10000), {}, {}},
    {"NegativeTimeoutRecognisesNothing", -1, acCopy, acCopy, Ticks("RLRLRLR", 10000), {}, {}},
    {"NegativeTimeoutRightAfterStart", -5000, acCopy, acCopy, Ticks("RLRLRLR", 100), {}, {}},
    // The largest timeout must work late in the clock's cycle too.
    {"LargestTimeoutLateInClockCycle", INT_MAX, acCopy, acCopy, Ticks("RLRLRLR", 3000000000u), {7}, kCopyKeys},
    // Around the roll-over of the millisecond clock.
    {"StrokesAcrossRollOver", 1000, acCopy, acCopy, Ticks("RLRLRLR", kClockMax - 299), {7}, kCopyKeys},
    {"StrokesJustBeforeRollOverMatchedJustAfter", 1000, acCopy, acCopy,
     Ticks("RLRLRL", kClockMax - 300) + std::vector<ScriptTick>{{dirRight, {kClockMax, 3}}}, {7}, kCopyKeys},
    {"GestureInTheLastMomentsBeforeRollOver", 1000, acCopy, acCopy, Ticks("RLRLRLR", kClockMax - 349), {7}, kCopyKeys},
    {"SlowGestureBeforeRollOverStaysUnrecognisedAfterIt", 400, acCopy, acCopy,
     std::vector<ScriptTick>{{dirRight, {kClockMax - 699}}, {dirLeft, {kClockMax - 624}}, {dirRight, {kClockMax - 549}},
                             {dirLeft, {kClockMax - 474}}, {dirRight, {kClockMax - 329}}, {dirLeft, {kClockMax - 289}},
                             {dirRight, {kClockMax - 249}}} +
         Ticks("....", 50),
     {}, {}},
    {"TooSlowAcrossRollOver", 1000, acCopy, acCopy, Ticks("RLRLRLR..", kClockMax - 599, 200), {}, {}},
    // The match reads the clock after the stroke's stamp.
    {"MatchUsesTheSecondReading", 1000, acCopy, acCopy,
     Ticks("RLRLRL", 10000) + std::vector<ScriptTick>{{dirRight, {10300, 11000}}}, {}, {}},
    {"MatchUsesTheSecondReadingWithinTimeout", 1000, acCopy, acCopy,
     Ticks("RLRLRL", 10000) + std::vector<ScriptTick>{{dirRight, {10300, 10999}}}, {7}, kCopyKeys},
};

class GestureSequenceTest : public TickTest, public ::testing::WithParamInterface<GestureCase> {};

TEST_P(GestureSequenceTest, FiresExactlyWhereExpected) {
    const GestureCase& c = GetParam();
    RecogTimeoutMs = c.timeout;
    HoriRecogAction = c.hori;
    VertRecogAction = c.vert;
    std::vector<std::size_t> fired;
    for (std::size_t i = 0; i < c.ticks.size(); ++i) {
        const ScriptTick& tick = c.ticks[i];
        const bool hadStrokes = !HistoryIsEmpty() || tick.direction != dirNone;
        TrackTick(platform, MotionToward(tick.direction), tick.clock);
        if (hadStrokes && HistoryIsEmpty()) {
            fired.push_back(i + 1);
        }
    }
    EXPECT_EQ(fired, c.firesAt);
    EXPECT_EQ(platform.keyEvents, c.keys);
}

INSTANTIATE_TEST_SUITE_P(Sequences, GestureSequenceTest, ::testing::ValuesIn(kGestureCases),
                         CaseName());

// ---- single behaviours ----

using TrackGestureTest = TickTest;

TEST_F(TrackGestureTest, StrokeIsStampedWithTheFirstReadingAndMatchReadsAgain) {
    TrackTick(platform, {10, 0}, {10300, 10340});
    EXPECT_EQ(StrokeHistory[0], R(10300));
    EXPECT_EQ(platform.clockReads, (std::vector<std::uint32_t>{10300, 10340}));
}

TEST_F(TrackGestureTest, TickWithoutNewStrokeReadsTheClockOnce) {
    TrackTick(platform, {10, 0}, {10000});
    platform.ClearLog();
    TrackTick(platform, {7, 0}, {10050});
    TrackTick(platform, {0, 0}, {10100});
    EXPECT_EQ(platform.clockReads, (std::vector<std::uint32_t>{10050, 10100}));
}

// Right after the system starts, seven empty entries pass the test; nothing
// is sent for them.
TEST_F(TrackGestureTest, EmptyHistoryWhileClockBelowTimeoutSendsNothing) {
    RecogTimeoutMs = 1000;
    HoriRecogAction = acCopy;
    VertRecogAction = acPaste;
    for (std::uint32_t clock : {0u, 1u, 500u, 999u}) {
        TrackTick(platform, {0, 0}, {clock});
    }
    EXPECT_TRUE(platform.keyEvents.empty());
    EXPECT_TRUE(HistoryIsEmpty());
}

TEST_F(TrackGestureTest, HistoryIsEmptyBeforeTheActionRuns) {
    RecogTimeoutMs = 1000;
    HoriRecogAction = acCopy;
    std::vector<bool> emptyAtKey;
    platform.onKeyEvent = [&] { emptyAtKey.push_back(HistoryIsEmpty()); };
    std::uint32_t clock = 10000;
    for (TDirection direction : {dirRight, dirLeft, dirRight, dirLeft, dirRight, dirLeft, dirRight}) {
        TrackTick(platform, MotionToward(direction), {clock});
        clock += 50;
    }
    EXPECT_EQ(emptyAtKey, std::vector<bool>(4, true));
}

TEST_F(TrackGestureTest, GestureKeepsCurrentDirectionAndStoredPosition) {
    RecogTimeoutMs = 1000;
    HoriRecogAction = acCopy;
    LastX = 321;
    LastY = 123;
    std::uint32_t clock = 10000;
    for (TDirection direction : {dirLeft, dirRight, dirLeft, dirRight, dirLeft, dirRight, dirLeft}) {
        TrackTick(platform, MotionToward(direction), {clock});
        clock += 50;
    }
    ASSERT_EQ(platform.keyEvents, kCopyKeys);
    EXPECT_EQ(CurrentDirection, dirLeft);
    EXPECT_EQ(LastX, 321);
    EXPECT_EQ(LastY, 123);
}

}  // namespace
