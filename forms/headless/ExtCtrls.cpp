#include "forms/ExtCtrls.h"

// No native timer: tests raise ticks with Timer().
struct TTimer::Impl {};

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(unsigned intervalMs) {
    interval_ = intervalMs;
    Update();
}

void TTimer::Update() {}
