#pragma once

#include "app/TrackingUrls.h"

#include <string>

// The timer that repeats the daily check once an hour while the show runs.
class HourlyTimer {
public:
    virtual ~HourlyTimer() = default;
    virtual bool isRunning() const = 0;
    // Starts the timer with the given period; false when it could not.
    virtual bool start(int periodMs) = 0;
};

inline constexpr int kHourlyTimerPeriodMs = 3600000;
inline constexpr long long kSecondsPerDay = 86400;

// The pings that report the program's use, and the daily schedule kept in
// trackT/trackT2. Responses are never read; failures are never reported.
class UsageTracker {
public:
    explicit UsageTracker(HourlyTimer& timer) : m_timer(timer) {}

    // Reads installid, LastInstalledImagePackFileName and CurrentImagePackFileName.
    void readIdentity();
    const TrackingIdentity& identity() const { return m_identity; }

    // Through the framework library.
    void sendTrackingPing(const std::string& code, const std::string& extraQuery);
    // Without the framework library, for when it is missing.
    void sendTrackingPingDirect(const std::string& code, const std::string& extraQuery);
    void sendUsagePing();

    // Starts the hourly timer if needed and, when the daily ping is due,
    // moves trackT a day past now; the pings go out only when not at start-up.
    void checkTrackingTime(bool atStartUp);

private:
    HourlyTimer& m_timer;
    TrackingIdentity m_identity;
};

// The hourly timer's callback.
void Timer24Hour(UsageTracker& tracker);
