// The tick's platform on Windows: the real pointer, screen, clock and keyboard.
#pragma once

#include "service/TickPlatform.h"

class Win32TickPlatform final : public TickPlatform {
public:
    bool GetCursorPos(TTickPoint& point) override;
    void SetCursorPos(std::int32_t x, std::int32_t y) override;
    std::int32_t GetSystemMetrics(std::int32_t index) override;
    std::uint32_t timeGetTime() override;
    void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                     std::uintptr_t extra) override;
};
