// Shared by the tick tests: a fixture with a fresh tick state and a fake
// platform, and printers for the tick's types.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "service/Tick.h"
#include "tests/unit/tick/FakeTickPlatform.h"

inline bool operator==(const TMotion& a, const TMotion& b) {
    return a.Dx == b.Dx && a.Dy == b.Dy;
}
inline std::ostream& operator<<(std::ostream& out, const TMotion& motion) {
    return out << "(" << motion.Dx << ", " << motion.Dy << ")";
}

inline bool operator==(const TStroke& a, const TStroke& b) {
    return a.Direction == b.Direction && a.Time == b.Time;
}
inline std::ostream& operator<<(std::ostream& out, const TStroke& stroke) {
    return out << "{" << static_cast<int>(stroke.Direction) << ", " << stroke.Time << "}";
}

class TickTest : public ::testing::Test {
protected:
    void SetUp() override { ResetTickState(); }
    void TearDown() override { ResetTickState(); }

    FakeTickPlatform platform;
};

// The four key events of each shortcut, as the focused window must get them.
inline const std::vector<KeyEvent> kCutKeys{{17, 69, 1, 0}, {88, 69, 1, 0}, {88, 69, 3, 0}, {17, 69, 3, 0}};
inline const std::vector<KeyEvent> kCopyKeys{{17, 69, 1, 0}, {67, 69, 1, 0}, {67, 69, 3, 0}, {17, 69, 3, 0}};
inline const std::vector<KeyEvent> kPasteKeys{{17, 69, 1, 0}, {86, 69, 1, 0}, {86, 69, 3, 0}, {17, 69, 3, 0}};
inline const std::vector<KeyEvent> kBackKeys{{18, 69, 1, 0}, {37, 69, 1, 0}, {37, 69, 3, 0}, {18, 69, 3, 0}};
inline const std::vector<KeyEvent> kForwardKeys{{18, 69, 1, 0}, {39, 69, 1, 0}, {39, 69, 3, 0}, {18, 69, 3, 0}};

// A motion of one tick that classifies as `direction`.
inline TMotion MotionToward(TDirection direction) {
    switch (direction) {
    case dirLeft: return {-10, 1};
    case dirRight: return {10, -1};
    case dirUp: return {1, -10};
    case dirDown: return {-1, 10};
    case dirNone: break;
    }
    return {0, 0};
}

inline bool HistoryIsEmpty() {
    for (const TStroke& stroke : StrokeHistory) {
        if (!(stroke == TStroke{dirNone, 0})) {
            return false;
        }
    }
    return true;
}

// Names parameterised tests after their case's `name`.
struct CaseName {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& info) const {
        return std::string(info.param.name);
    }
};
