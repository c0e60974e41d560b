// The tick runs twenty times a second for as long as the service runs: it
// must not allocate. This program counts every operator new it makes.
#include <vector>

#include "tests/unit/tick/NewCounter.h"
#include "tests/unit/tick/TickTestSupport.h"

namespace {

using TickAllocationTest = TickTest;

TEST_F(TickAllocationTest, TicksWithWrapsAndGesturesAllocateNothing) {
    RecogTimeoutMs = 1000;
    HoriRecogAction = acCopy;
    VertRecogAction = acPaste;
    LastX = 500;
    LastY = 300;
    // A shake, a left-edge wrap, a still pointer, a vertical shake, a bottom wrap.
    const std::vector<TTickPoint> path{
        {520, 300}, {500, 300}, {520, 300}, {500, 300}, {520, 300}, {500, 300}, {520, 300},
        {0, 300},   {900, 300}, {900, 300}, {900, 320}, {900, 300}, {900, 320}, {900, 300},
        {900, 320}, {900, 300}, {900, 320}, {900, 767}, {900, 300}};
    constexpr std::size_t kRounds = 200;
    platform.ReserveLog(16 * path.size() * kRounds);

    const std::size_t before = NewCalls();
    std::uint32_t clock = 10000;
    for (std::size_t round = 0; round < kRounds; ++round) {
        for (const TTickPoint& position : path) {
            platform.pointer = position;
            platform.clock = clock;
            RunTick(platform);
            clock += 50;
        }
    }
    const std::size_t allocations = NewCalls() - before;

    EXPECT_EQ(allocations, 0u);
    EXPECT_FALSE(platform.cursorTargets.empty()) << "the path must wrap";
    EXPECT_GE(platform.keyEvents.size(), 8u) << "the path must make gestures on both axes";
}

}  // namespace
