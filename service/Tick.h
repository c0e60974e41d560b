// The pointer service's tick: it wraps the pointer at the primary screen's
// edges, tracks strokes of pointer motion, and on a back-and-forth gesture
// sends the configured keyboard shortcut.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "service/TickPlatform.h"

// Laid out like the arrow keys of a numeric keypad.
enum TDirection : std::int32_t {
    dirNone = 0,
    dirDown = 2,
    dirLeft = 4,
    dirRight = 6,
    dirUp = 8,
};

struct TStroke {
    TDirection Direction;
    std::uint32_t Time;  // timeGetTime at the tick that began the stroke
};

// What a recognised gesture does; any other value does nothing.
using TActionCode = std::int32_t;
inline constexpr TActionCode acDisabled = 0;
inline constexpr TActionCode acCut = 1;
inline constexpr TActionCode acCopy = 2;
inline constexpr TActionCode acPaste = 3;
inline constexpr TActionCode acBackInIE = 4;
inline constexpr TActionCode acForwardInIE = 5;

// Pointer motion of one tick in pixels: Dx > 0 is to the right, Dy > 0 down.
struct TMotion {
    std::int32_t Dx;
    std::int32_t Dy;
};

inline constexpr std::size_t kStrokeHistorySize = 8;

// Tick state, zero at program start. Only the tick writes the first four;
// start-up writes the last three once.
extern std::int32_t LastX;
extern std::int32_t LastY;
extern std::array<TStroke, kStrokeHistorySize> StrokeHistory;  // [0] newest
extern TDirection CurrentDirection;
extern std::int32_t RecogTimeoutMs;
extern TActionCode HoriRecogAction;
extern TActionCode VertRecogAction;

// The whole tick: WrapPointer, then TrackGesture with its motion.
void RunTick(TickPlatform& platform);

// Samples the pointer and the screen size, wraps the pointer at an edge and
// gives the motion since the previous tick.
TMotion WrapPointer(TickPlatform& platform);

// Classifies the motion, records a new stroke and, on a gesture, empties the
// history and runs the action of the gesture's axis.
void TrackGesture(TickPlatform& platform, std::int32_t dx, std::int32_t dy);

// Sends the shortcut of an action code; unknown codes send nothing.
void RunAction(TickPlatform& platform, TActionCode code);

void SendCut(TickPlatform& platform);      // Ctrl+X
void SendCopy(TickPlatform& platform);     // Ctrl+C
void SendPaste(TickPlatform& platform);    // Ctrl+V
void SendBack(TickPlatform& platform);     // Alt+Left
void SendForward(TickPlatform& platform);  // Alt+Right

// All seven state variables back to zero, for tests.
void ResetTickState();
