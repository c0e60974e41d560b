// What the pointer tick needs from the system: the pointer, the primary
// screen's size, the millisecond clock and the keyboard input stream.
#pragma once

#include <cstdint>

// Indexes of GetSystemMetrics: the primary screen's width and height.
inline constexpr std::int32_t smCxScreen = 0;
inline constexpr std::int32_t smCyScreen = 1;

// A position in screen pixels, (0, 0) at the primary screen's top-left corner.
struct TTickPoint {
    std::int32_t X;
    std::int32_t Y;
};

class TickPlatform {
public:
    TickPlatform() = default;
    TickPlatform(const TickPlatform&) = delete;
    TickPlatform& operator=(const TickPlatform&) = delete;
    virtual ~TickPlatform() = default;

    // Fills point with the pointer position; false (point untouched) when the
    // position cannot be read, e.g. while another desktop has the input.
    virtual bool GetCursorPos(TTickPoint& point) = 0;
    virtual void SetCursorPos(std::int32_t x, std::int32_t y) = 0;
    virtual std::int32_t GetSystemMetrics(std::int32_t index) = 0;
    // Milliseconds since the system started; rolls over to 0 after 2^32.
    virtual std::uint32_t timeGetTime() = 0;
    // Places one key event in the input stream.
    virtual void keybd_event(std::uint8_t vk, std::uint8_t scan, std::uint32_t flags,
                             std::uintptr_t extra) = 0;
};

// The platform of this build: the real one on Windows; on the host one that
// does nothing and reports no pointer.
TickPlatform& SystemTickPlatform();
