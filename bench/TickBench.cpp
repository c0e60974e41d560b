// One pointer tick against a platform that does no work: the cost of the
// tick's own logic, and the allocations it makes (none expected).
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "service/Tick.h"
#include "tests/unit/tick/NewCounter.h"

namespace {

// Reports the pointer along a fixed path, one point per tick, on a 1024x768
// screen; the clock advances `clockStep` ms per tick. Moves and key events
// do nothing.
class PathPlatform final : public TickPlatform {
public:
    PathPlatform(std::span<const TTickPoint> path, std::uint32_t clockStep)
        : path_(path), clockStep_(clockStep) {}

    bool GetCursorPos(TTickPoint& point) override {
        point = path_[next_];
        next_ = next_ + 1 == path_.size() ? 0 : next_ + 1;
        clock_ += clockStep_;
        return true;
    }
    void SetCursorPos(std::int32_t, std::int32_t) override {}
    std::int32_t GetSystemMetrics(std::int32_t index) override { return index == smCxScreen ? 1024 : 768; }
    std::uint32_t timeGetTime() override { return clock_; }
    void keybd_event(std::uint8_t, std::uint8_t, std::uint32_t, std::uintptr_t) override {}

private:
    std::span<const TTickPoint> path_;
    std::uint32_t clockStep_;
    std::size_t next_ = 0;
    std::uint32_t clock_ = 100000;
};

// Times RunTick, each preceded by `prepare`, and reports operator new calls
// per tick.
template <class Prepare>
void TimeTicks(benchmark::State& state, TickPlatform& platform, Prepare prepare) {
    ResetTickState();
    RecogTimeoutMs = 400;
    HoriRecogAction = acCopy;
    VertRecogAction = acPaste;
    LastX = 400;
    LastY = 400;
    const std::size_t before = NewCalls();
    for (auto _ : state) {
        prepare();
        RunTick(platform);
    }
    state.counters["allocs_per_tick"] =
        benchmark::Counter(static_cast<double>(NewCalls() - before), benchmark::Counter::kAvgIterations);
}

// A square path inside the screen: a new stroke every tick (R, D, L, U),
// never a gesture.
void BM_TickNoWrap(benchmark::State& state) {
    static constexpr std::array<TTickPoint, 4> kSquare{{{500, 300}, {500, 400}, {400, 400}, {400, 300}}};
    PathPlatform platform(kSquare, 50);
    TimeTicks(state, platform, [] {});
}
BENCHMARK(BM_TickNoWrap);

// The pointer pressed against the left edge: every tick wraps.
void BM_TickWrap(benchmark::State& state) {
    static constexpr std::array<TTickPoint, 1> kLeftEdge{{{0, 300}}};
    PathPlatform platform(kLeftEdge, 50);
    TimeTicks(state, platform, [] {});
}
BENCHMARK(BM_TickWrap);

// Every tick records the seventh alternating stroke and sends Copy. The six
// strokes before it are put back before each tick (a 64-byte copy, timed
// too); the clock stands still so that they stay recent.
void BM_TickGesture(benchmark::State& state) {
    static constexpr std::array<TTickPoint, 1> kRightOfStored{{{420, 400}}};
    PathPlatform platform(kRightOfStored, 0);
    const std::uint32_t now = platform.timeGetTime();
    std::array<TStroke, kStrokeHistorySize> sixStrokes{};
    for (std::size_t i = 0; i < 6; ++i) {
        sixStrokes[i] = {i % 2 == 0 ? dirLeft : dirRight, now - 50 * static_cast<std::uint32_t>(i + 1)};
    }
    TimeTicks(state, platform, [&] {
        StrokeHistory = sixStrokes;
        LastX = 400;
    });
    if (StrokeHistory[0].Direction != dirNone) {
        state.SkipWithError("the tick did not recognise the gesture");
    }
}
BENCHMARK(BM_TickGesture);

}  // namespace

BENCHMARK_MAIN();
