#include "service/Tick.h"

std::int32_t LastX = 0;
std::int32_t LastY = 0;
std::array<TStroke, kStrokeHistorySize> StrokeHistory{};
TDirection CurrentDirection = dirNone;
std::int32_t RecogTimeoutMs = 0;
TActionCode HoriRecogAction = acDisabled;
TActionCode VertRecogAction = acDisabled;

namespace {

constexpr TStroke kEmptyStroke{dirNone, 0};
constexpr std::size_t kGestureStrokes = 7;

constexpr std::uint8_t kVkControl = 17;
constexpr std::uint8_t kVkMenu = 18;  // Alt
constexpr std::uint8_t kVkLeft = 37;
constexpr std::uint8_t kVkRight = 39;
constexpr std::uint8_t kVkC = 67;
constexpr std::uint8_t kVkV = 86;
constexpr std::uint8_t kVkX = 88;
constexpr std::uint8_t kShortcutScanCode = 69;
constexpr std::uint32_t kKeyPressFlags = 1;    // KEYEVENTF_EXTENDEDKEY
constexpr std::uint32_t kKeyReleaseFlags = 3;  // KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP

// a - b modulo 2^32: a pointer position from the platform cannot make it overflow.
std::int32_t Difference(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

// |v| without overflow at the most negative value.
std::uint32_t Magnitude(std::int32_t v) {
    const auto bits = static_cast<std::uint32_t>(v);
    return v < 0 ? 0u - bits : bits;
}

TDirection Classify(std::int32_t dx, std::int32_t dy) {
    if (dx == 0 && dy == 0) {
        return dirNone;
    }
    if (Magnitude(dx) > Magnitude(dy)) {
        return dx > 0 ? dirRight : dirLeft;
    }
    return dy > 0 ? dirDown : dirUp;  // an exact diagonal counts as vertical
}

TDirection Opposite(TDirection direction) {
    switch (direction) {
    case dirDown: return dirUp;
    case dirUp: return dirDown;
    case dirLeft: return dirRight;
    case dirRight: return dirLeft;
    case dirNone: break;
    }
    return dirNone;
}

// Whether a stroke stamped at `stamp` began less than RecogTimeoutMs before
// `now`. The elapsed time is taken modulo 2^32, so strokes on both sides of
// the clock's roll-over compare like any others; a timeout of 0 or less
// admits nothing.
bool IsRecent(std::uint32_t stamp, std::uint32_t now) {
    if (RecogTimeoutMs <= 0) {
        return false;
    }
    return now - stamp < static_cast<std::uint32_t>(RecogTimeoutMs);
}

void RecordStroke(TDirection direction, std::uint32_t time) {
    for (std::size_t i = kStrokeHistorySize - 1; i > 0; --i) {
        StrokeHistory[i] = StrokeHistory[i - 1];
    }
    StrokeHistory[0] = {direction, time};
}

// Seven alternating strokes, entries 0 to 6, each recent enough. The eighth
// entry is never looked at.
bool IsGesture(std::uint32_t now) {
    TDirection expected = StrokeHistory[0].Direction;
    for (std::size_t i = 0; i < kGestureStrokes; ++i) {
        const TStroke& stroke = StrokeHistory[i];
        if (stroke.Direction != expected || !IsRecent(stroke.Time, now)) {
            return false;
        }
        expected = Opposite(expected);
    }
    return true;
}

void SendShortcut(TickPlatform& platform, std::uint8_t modifier, std::uint8_t key) {
    platform.keybd_event(modifier, kShortcutScanCode, kKeyPressFlags, 0);
    platform.keybd_event(key, kShortcutScanCode, kKeyPressFlags, 0);
    platform.keybd_event(key, kShortcutScanCode, kKeyReleaseFlags, 0);
    platform.keybd_event(modifier, kShortcutScanCode, kKeyReleaseFlags, 0);
}

}  // namespace

void RunTick(TickPlatform& platform) {
    const TMotion motion = WrapPointer(platform);
    TrackGesture(platform, motion.Dx, motion.Dy);
}

TMotion WrapPointer(TickPlatform& platform) {
    TTickPoint sampled{};
    if (!platform.GetCursorPos(sampled)) {
        return {0, 0};  // nothing known: no wrap, no motion, stored position kept
    }
    std::int32_t x = sampled.X;
    std::int32_t y = sampled.Y;
    const std::int32_t w = platform.GetSystemMetrics(smCxScreen);
    const std::int32_t h = platform.GetSystemMetrics(smCyScreen);

    // Each wrap stores a position that makes the wrap itself a small step in
    // the direction of travel and no motion on the other axis.
    if (x == 0) {
        platform.SetCursorPos(w - 2, y);
        x = w - 2;
        LastX = w;
        y = LastY;
    }
    if (x == w - 1) {
        platform.SetCursorPos(1, y);
        x = 1;
        LastX = 0;
        y = LastY;
    }
    if (y == 0) {
        platform.SetCursorPos(x, h - 2);
        y = h - 2;
        LastY = h - 1;
        x = LastX;
    }
    if (y == h - 1) {
        platform.SetCursorPos(x, 1);
        y = 1;
        LastY = 0;
        x = LastX;
    }

    const TMotion motion{Difference(x, LastX), Difference(y, LastY)};
    LastX = x;
    LastY = y;
    return motion;
}

void TrackGesture(TickPlatform& platform, std::int32_t dx, std::int32_t dy) {
    CurrentDirection = Classify(dx, dy);
    if (CurrentDirection != dirNone && CurrentDirection != StrokeHistory[0].Direction) {
        RecordStroke(CurrentDirection, platform.timeGetTime());
    }

    if (!IsGesture(platform.timeGetTime())) {
        return;
    }
    const TDirection last = StrokeHistory[0].Direction;
    StrokeHistory.fill(kEmptyStroke);  // before the action, whatever it sends
    if (last == dirUp || last == dirDown) {
        RunAction(platform, VertRecogAction);
    } else if (last == dirLeft || last == dirRight) {
        RunAction(platform, HoriRecogAction);
    }
}

void RunAction(TickPlatform& platform, TActionCode code) {
    switch (code) {
    case acCut: SendCut(platform); return;
    case acCopy: SendCopy(platform); return;
    case acPaste: SendPaste(platform); return;
    case acBackInIE: SendBack(platform); return;
    case acForwardInIE: SendForward(platform); return;
    default: return;
    }
}

void SendCut(TickPlatform& platform) { SendShortcut(platform, kVkControl, kVkX); }
void SendCopy(TickPlatform& platform) { SendShortcut(platform, kVkControl, kVkC); }
void SendPaste(TickPlatform& platform) { SendShortcut(platform, kVkControl, kVkV); }
void SendBack(TickPlatform& platform) { SendShortcut(platform, kVkMenu, kVkLeft); }
void SendForward(TickPlatform& platform) { SendShortcut(platform, kVkMenu, kVkRight); }

void ResetTickState() {
    LastX = 0;
    LastY = 0;
    StrokeHistory.fill(kEmptyStroke);
    CurrentDirection = dirNone;
    RecogTimeoutMs = 0;
    HoriRecogAction = acDisabled;
    VertRecogAction = acDisabled;
}
