#include <windows.h>
#include <mmsystem.h>

#include "service/win32/Win32TickPlatform.h"

bool Win32TickPlatform::GetCursorPos(TTickPoint& point) {
    POINT position{};
    if (!::GetCursorPos(&position)) {
        return false;
    }
    point = {static_cast<std::int32_t>(position.x), static_cast<std::int32_t>(position.y)};
    return true;
}

void Win32TickPlatform::SetCursorPos(std::int32_t x, std::int32_t y) {
    ::SetCursorPos(x, y);
}

std::int32_t Win32TickPlatform::GetSystemMetrics(std::int32_t index) {
    return ::GetSystemMetrics(index);
}

std::uint32_t Win32TickPlatform::timeGetTime() {
    return ::timeGetTime();
}

void Win32TickPlatform::keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                                    std::uintptr_t extra) {
    ::keybd_event(vk, scan, flags, extra);
}

TickPlatform& SystemTickPlatform() {
    static Win32TickPlatform platform;
    return platform;
}
