#pragma once

// The 15-minute weather timer: a timer without a window whose ticks run on
// the user-interface thread. The application object owns the real one.
class WeatherTimer {
public:
    virtual ~WeatherTimer() = default;
    // Starts a repeating timer; its identifier, never 0, or 0 when it could
    // not be started.
    virtual unsigned SetTimer(unsigned nElapseMs) = 0;
    virtual void KillTimer(unsigned nIdEvent) = 0;
};
