// The timer: SetTimer on a hidden window of its own, ticks through the message loop.
#include "forms/win32/Win32Internal.h"

#include "forms/ExtCtrls.h"

namespace {
constexpr UINT_PTR kTimerId = 1;
}

struct TTimer::Impl {
    explicit Impl(TTimer& timer)
        : window(forms::win32::kTimerClass, [&timer](UINT message, WPARAM, LPARAM, LRESULT&) {
              if (message != WM_TIMER) {
                  return false;
              }
              if (timer.Enabled()) {  // a tick queued before the timer was stopped is dropped
                  timer.Timer();
              }
              return true;
          }) {}
    forms::win32::MessageWindow window;
};

TTimer::TTimer(TComponent* owner) : TComponent(owner), impl_(std::make_unique<Impl>(*this)) { Update(); }

TTimer::~TTimer() = default;  // the window takes its timer along

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(unsigned intervalMs) {
    if (intervalMs == interval_) {
        return;
    }
    interval_ = intervalMs;
    Update();
}

void TTimer::Update() {
    HWND window = impl_->window.Handle();
    KillTimer(window, kTimerId);
    if (!enabled_ || interval_ == 0) {
        return;
    }
    if (SetTimer(window, kTimerId, interval_, nullptr) == 0) {
        throw Exception("Not enough timers available");
    }
}
