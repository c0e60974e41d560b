// The Win32 tick platform against the real system under Wine: the pointer
// moves, the screen size is the display's, the clock runs, and the key events
// of a shortcut reach the focused window.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "service/Tick.h"
#include "service/win32/Win32TickPlatform.h"

namespace {

// The display of the test session (scripts/lib/wine-session.sh).
constexpr std::int32_t kScreenWidth = 1280;
constexpr std::int32_t kScreenHeight = 800;

constexpr DWORD kWaitMs = 3000;

// Runs the message loop until `done` holds or the wait runs out.
bool PumpUntil(const std::function<bool()>& done) {
    const ULONGLONG deadline = GetTickCount64() + kWaitMs;
    while (!done()) {
        if (GetTickCount64() >= deadline) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&msg);
        }
    }
    return true;
}

class Win32TickTest : public ::testing::Test {
protected:
    void SetUp() override { ResetTickState(); }
    void TearDown() override { ResetTickState(); }

    TTickPoint Pointer() {
        TTickPoint point{-1, -1};
        EXPECT_TRUE(platform.GetCursorPos(point));
        return point;
    }

    Win32TickPlatform platform;
};

// ---- pointer, screen and clock ----

struct PointerCase {
    std::int32_t x;
    std::int32_t y;
};

class PointerMoveTest : public Win32TickTest, public ::testing::WithParamInterface<PointerCase> {};

TEST_P(PointerMoveTest, SetCursorPosMovesThePointer) {
    platform.SetCursorPos(GetParam().x, GetParam().y);
    const TTickPoint point = Pointer();
    EXPECT_EQ(point.X, GetParam().x);
    EXPECT_EQ(point.Y, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(Positions, PointerMoveTest,
                         ::testing::Values(PointerCase{100, 200}, PointerCase{0, 0},
                                           PointerCase{kScreenWidth - 1, kScreenHeight - 1},
                                           PointerCase{kScreenWidth - 2, 1}, PointerCase{640, 400}));

TEST_F(Win32TickTest, ScreenSizeIsTheDisplays) {
    EXPECT_EQ(platform.GetSystemMetrics(smCxScreen), kScreenWidth);
    EXPECT_EQ(platform.GetSystemMetrics(smCyScreen), kScreenHeight);

    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode));
    EXPECT_EQ(mode.dmPelsWidth, static_cast<DWORD>(kScreenWidth));
    EXPECT_EQ(mode.dmPelsHeight, static_cast<DWORD>(kScreenHeight));
}

TEST_F(Win32TickTest, ClockCountsMilliseconds) {
    const std::uint32_t before = platform.timeGetTime();
    Sleep(100);
    const std::uint32_t elapsed = platform.timeGetTime() - before;
    EXPECT_GE(elapsed, 90u);
}

// ---- the tick wraps the real pointer ----

struct RealWrapCase {
    std::string name;
    TTickPoint at;
    TTickPoint movedTo;
};

const RealWrapCase kRealWrapCases[] = {
    {"LeftEdge", {0, 400}, {kScreenWidth - 2, 400}},
    {"RightEdge", {kScreenWidth - 1, 400}, {1, 400}},
    {"TopEdge", {640, 0}, {640, kScreenHeight - 2}},
    {"BottomEdge", {640, kScreenHeight - 1}, {640, 1}},
    {"Inside", {300, 300}, {300, 300}},
};

class RealWrapTest : public Win32TickTest, public ::testing::WithParamInterface<RealWrapCase> {};

TEST_P(RealWrapTest, TickMovesThePointerAcross) {
    const RealWrapCase& c = GetParam();
    LastX = 640;
    LastY = 400;
    platform.SetCursorPos(c.at.X, c.at.Y);
    RunTick(platform);
    const TTickPoint point = Pointer();
    EXPECT_EQ(point.X, c.movedTo.X);
    EXPECT_EQ(point.Y, c.movedTo.Y);
}

INSTANTIATE_TEST_SUITE_P(Display, RealWrapTest, ::testing::ValuesIn(kRealWrapCases),
                         [](const ::testing::TestParamInfo<RealWrapCase>& p) { return p.param.name; });

// ---- key events reach the focused window ----

struct KeyMessage {
    bool down;
    unsigned vk;
    unsigned scan;
    bool extended;
    bool operator==(const KeyMessage&) const = default;
};

std::ostream& operator<<(std::ostream& out, const KeyMessage& m) {
    return out << (m.down ? "down" : "up") << " vk=" << m.vk << " scan=" << m.scan
               << " ext=" << m.extended;
}

// A plain top-level window that logs the key messages it gets.
class KeyReceiver {
public:
    KeyReceiver() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kClassName;
        atom_ = RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, kClassName, "Tick key receiver", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  100, 100, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr);
        if (window_) {
            SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            SetForegroundWindow(window_);
            SetFocus(window_);
        }
    }
    ~KeyReceiver() {
        if (window_) {
            DestroyWindow(window_);
        }
        if (atom_) {
            UnregisterClassA(kClassName, GetModuleHandleA(nullptr));
        }
    }
    KeyReceiver(const KeyReceiver&) = delete;
    KeyReceiver& operator=(const KeyReceiver&) = delete;

    HWND Window() const { return window_; }
    const std::vector<KeyMessage>& Messages() const { return messages_; }

private:
    static constexpr const char* kClassName = "EdgeroamTickKeyReceiver";

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<KeyReceiver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
        if (self && (down || up)) {
            const auto bits = static_cast<std::uint64_t>(lParam);
            self->messages_.push_back({down, static_cast<unsigned>(wParam),
                                       static_cast<unsigned>((bits >> 16) & 0xFF), ((bits >> 24) & 1) != 0});
            return 0;  // no menu mode for Alt
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    ATOM atom_ = 0;
    HWND window_ = nullptr;
    std::vector<KeyMessage> messages_;
};

struct ShortcutCase {
    std::string name;
    void (*send)(TickPlatform&);
    unsigned modifier;
    unsigned key;
};

const ShortcutCase kShortcutCases[] = {
    {"SendCut", SendCut, VK_CONTROL, 'X'},
    {"SendCopy", SendCopy, VK_CONTROL, 'C'},
    {"SendPaste", SendPaste, VK_CONTROL, 'V'},
    {"SendBack", SendBack, VK_MENU, VK_LEFT},
    {"SendForward", SendForward, VK_MENU, VK_RIGHT},
};

class ShortcutDeliveryTest : public Win32TickTest, public ::testing::WithParamInterface<ShortcutCase> {};

TEST_P(ShortcutDeliveryTest, FocusedWindowGetsDownDownUpUp) {
    const ShortcutCase& c = GetParam();
    KeyReceiver receiver;
    ASSERT_NE(receiver.Window(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == receiver.Window(); })) << "the window never got the focus";

    c.send(platform);
    PumpUntil([&] { return receiver.Messages().size() >= 4; });

    const std::vector<KeyMessage> expected{
        {true, c.modifier, 69, true}, {true, c.key, 69, true}, {false, c.key, 69, true}, {false, c.modifier, 69, true}};
    EXPECT_EQ(receiver.Messages(), expected);
}

INSTANTIATE_TEST_SUITE_P(Shortcuts, ShortcutDeliveryTest, ::testing::ValuesIn(kShortcutCases),
                         [](const ::testing::TestParamInfo<ShortcutCase>& p) { return p.param.name; });

// The gesture path end to end: seven strokes of the real pointer send Copy.
TEST_F(Win32TickTest, ShakeOfTheRealPointerSendsCopy) {
    KeyReceiver receiver;
    ASSERT_NE(receiver.Window(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == receiver.Window(); }));
    RecogTimeoutMs = 60000;
    HoriRecogAction = acCopy;
    platform.SetCursorPos(600, 400);
    RunTick(platform);
    for (int x : {640, 600, 640, 600, 640, 600, 640}) {
        platform.SetCursorPos(x, 400);
        RunTick(platform);
    }
    PumpUntil([&] { return receiver.Messages().size() >= 4; });
    const std::vector<KeyMessage> copy{
        {true, VK_CONTROL, 69, true}, {true, 'C', 69, true}, {false, 'C', 69, true}, {false, VK_CONTROL, 69, true}};
    EXPECT_EQ(receiver.Messages(), copy);
}

}  // namespace
