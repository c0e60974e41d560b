#include "tests/unit/tick/FakeTickPlatform.h"

std::ostream& operator<<(std::ostream& out, const KeyEvent& event) {
    return out << "(" << int{event.vk} << ", " << int{event.scan} << ", " << event.flags << ", "
               << event.extra << ")";
}

bool operator==(const TTickPoint& a, const TTickPoint& b) {
    return a.X == b.X && a.Y == b.Y;
}

std::ostream& operator<<(std::ostream& out, const TTickPoint& point) {
    return out << "(" << point.X << ", " << point.Y << ")";
}

std::ostream& operator<<(std::ostream& out, TickCall call) {
    switch (call) {
    case TickCall::GetCursorPos: return out << "GetCursorPos";
    case TickCall::SetCursorPos: return out << "SetCursorPos";
    case TickCall::GetSystemMetrics: return out << "GetSystemMetrics";
    case TickCall::timeGetTime: return out << "timeGetTime";
    case TickCall::keybd_event: return out << "keybd_event";
    }
    return out << "?";
}

void FakeTickPlatform::ClearLog() {
    calls.clear();
    cursorTargets.clear();
    metricIndexes.clear();
    clockReads.clear();
    keyEvents.clear();
}

void FakeTickPlatform::ReserveLog(std::size_t count) {
    calls.reserve(count);
    cursorTargets.reserve(count);
    metricIndexes.reserve(count);
    clockReads.reserve(count);
    keyEvents.reserve(count);
}

bool FakeTickPlatform::GetCursorPos(TTickPoint& point) {
    calls.push_back(TickCall::GetCursorPos);
    if (pointerReadable) {
        point = pointer;
    }
    return pointerReadable;
}

void FakeTickPlatform::SetCursorPos(std::int32_t x, std::int32_t y) {
    calls.push_back(TickCall::SetCursorPos);
    cursorTargets.push_back({x, y});
    pointer = {x, y};
}

std::int32_t FakeTickPlatform::GetSystemMetrics(std::int32_t index) {
    calls.push_back(TickCall::GetSystemMetrics);
    metricIndexes.push_back(index);
    switch (index) {
    case smCxScreen: return screenWidth;
    case smCyScreen: return screenHeight;
    default: return 0;
    }
}

std::uint32_t FakeTickPlatform::timeGetTime() {
    calls.push_back(TickCall::timeGetTime);
    std::uint32_t reading = clock;
    if (!clockQueue.empty()) {
        reading = clockQueue.front();
        clockQueue.pop_front();
    }
    clockReads.push_back(reading);
    return reading;
}

void FakeTickPlatform::keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                                   std::uintptr_t extra) {
    calls.push_back(TickCall::keybd_event);
    keyEvents.push_back({vk, scan, flags, extra});
    if (onKeyEvent) {
        onKeyEvent();
    }
}
