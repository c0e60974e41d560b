// The timer component.
#pragma once

#include <memory>

#include "forms/Classes.h"

class TTimer : public TComponent {
public:
    // Enabled with an interval of 1000 ms, like the framework's default.
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    void SetInterval(unsigned intervalMs);
    unsigned Interval() const { return interval_; }
    TNotifyEvent OnTimer;

    // One tick: raises OnTimer through the event guard. The backend calls it
    // from the message loop; tests may call it directly.
    void Timer();

    struct Impl;

private:
    void Update();  // backend: (re)start or stop the native timer
    bool enabled_ = true;
    unsigned interval_ = 1000;
    std::unique_ptr<Impl> impl_;
};
