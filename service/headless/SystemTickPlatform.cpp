// The host has no pointer to move: its tick platform reports none, so a tick
// wraps nothing and records no stroke.
#include "service/TickPlatform.h"

namespace {

class HeadlessTickPlatform final : public TickPlatform {
public:
    bool GetCursorPos(TTickPoint&) override { return false; }
    void SetCursorPos(std::int32_t, std::int32_t) override {}
    std::int32_t GetSystemMetrics(std::int32_t) override { return 0; }
    std::uint32_t timeGetTime() override { return 0; }
    void keybd_event(std::uint8_t, std::uint8_t, std::uint32_t, std::uintptr_t) override {}
};

}  // namespace

TickPlatform& SystemTickPlatform() {
    static HeadlessTickPlatform platform;
    return platform;
}
