// A scripted tick platform: a test sets what the pointer, the screen and the
// clock report before each tick, and reads back every call made.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <ostream>
#include <vector>

#include "service/TickPlatform.h"

struct KeyEvent {
    std::uint8_t vk;
    std::uint8_t scan;
    std::uint32_t flags;
    std::uintptr_t extra;
    bool operator==(const KeyEvent&) const = default;
};
std::ostream& operator<<(std::ostream& out, const KeyEvent& event);

bool operator==(const TTickPoint& a, const TTickPoint& b);
std::ostream& operator<<(std::ostream& out, const TTickPoint& point);

enum class TickCall { GetCursorPos, SetCursorPos, GetSystemMetrics, timeGetTime, keybd_event };
std::ostream& operator<<(std::ostream& out, TickCall call);

class FakeTickPlatform final : public TickPlatform {
public:
    // What the platform reports. SetCursorPos moves `pointer`, as the real call does.
    TTickPoint pointer{};
    bool pointerReadable = true;
    std::int32_t screenWidth = 1024;
    std::int32_t screenHeight = 768;
    // timeGetTime gives the queued readings first, one per call, then `clock`.
    std::uint32_t clock = 0;
    std::deque<std::uint32_t> clockQueue;
    // Runs inside every keybd_event call, after it has been logged.
    std::function<void()> onKeyEvent;

    // The log, in call order.
    std::vector<TickCall> calls;
    std::vector<TTickPoint> cursorTargets;
    std::vector<std::int32_t> metricIndexes;
    std::vector<std::uint32_t> clockReads;
    std::vector<KeyEvent> keyEvents;

    void ClearLog();
    // Room for this many calls of each kind, so that logging allocates nothing.
    void ReserveLog(std::size_t count);

    bool GetCursorPos(TTickPoint& point) override;
    void SetCursorPos(std::int32_t x, std::int32_t y) override;
    std::int32_t GetSystemMetrics(std::int32_t index) override;
    std::uint32_t timeGetTime() override;
    void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                     std::uintptr_t extra) override;
};
