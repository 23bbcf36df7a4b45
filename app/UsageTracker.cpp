#include "app/UsageTracker.h"

#include "app/DirectPing.h"
#include "app/PingQueue.h"
#include "app/ServiceAddresses.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/Trace.h"
#include "platform/Clock.h"

#include <cstdint>
#include <cstdlib>

namespace {

const char* const kCheckPrefix = "CSaverApp::checkTrackingTime() - ";

std::string timeInBothForms(std::int64_t t) {
    return std::to_string(t) + " (" + platform::ctimeText(t) + ")";
}

// trackT is decimal text like any integer setting, but read and written in
// 64 bits so the schedule keeps working past 2038.
std::int64_t readTrackTime() {
    const std::string text =
        SettingsStore::GetString(settings::kTrackTime.subsection, settings::kTrackTime.name, "");
    return text.empty() ? settings::kTrackTime.defaultValue
                        : std::strtoll(text.c_str(), nullptr, 10);
}

} // namespace

void UsageTracker::readIdentity() {
    m_identity.installId = settings::get(settings::kInstallId);
    m_identity.lastInstalledPack = settings::get(settings::kLastInstalledImagePackFileName);
    m_identity.currentPackAtStart = settings::get(settings::kCurrentImagePackFileName);
}

void UsageTracker::sendTrackingPing(const std::string& code, const std::string& extraQuery) {
    sendPing(trackingPingUrl(serviceAddresses().tracking, code, extraQuery, m_identity,
                             platform::clock().tickCount()));
}

void UsageTracker::sendTrackingPingDirect(const std::string& code, const std::string& extraQuery) {
    const ServiceAddresses addresses = serviceAddresses();
    sendDirectPing(directTrackingPingUrl(addresses.tracking, code, extraQuery, m_identity.installId,
                                         platform::clock().tickCount()),
                   addresses.configuration);
}

void UsageTracker::sendUsagePing() {
    sendPing(usagePingUrl(serviceAddresses().configuration, platform::clock().tickCount()));
}

void UsageTracker::checkTrackingTime(bool atStartUp) {
    if (isLogging()) {
        logMessage(std::string(kCheckPrefix) + "Entering Function: ");
    }
    if (!m_timer.isRunning()) {
        m_timer.start(kHourlyTimerPeriodMs);
    }
    if (g_pTovakInterface != nullptr && g_pTovakInterface->connectedToInternet()) {
        const std::int64_t nextTime = readTrackTime();
        const std::int64_t now = platform::clock().now();
        if (isLogging()) {
            logMessage(std::string(kCheckPrefix) + "nextTime = " + timeInBothForms(nextTime));
            logMessage(std::string(kCheckPrefix) + "now = " + timeInBothForms(now));
        }
        if (now > nextTime) {
            const std::int64_t next = now + kSecondsPerDay;
            if (isLogging()) {
                logMessage(std::string(kCheckPrefix) + "Pinging URL and setting nextTime to " +
                           timeInBothForms(next));
            }
            if (!atStartUp) {
                sendUsagePing();
                sendTrackingPing("160", "");
                sendTrackingPing("29", "");
            }
            SettingsStore::SetString(settings::kTrackTime.subsection, settings::kTrackTime.name,
                                     std::to_string(next));
            settings::set(settings::kTrackTimeText, platform::ctimeText(next));
        }
    }
    if (isLogging()) {
        logMessage(std::string(kCheckPrefix) + "Exiting Function: ");
    }
}

void Timer24Hour(UsageTracker& tracker) {
    if (isLogging()) {
        logMessage("Timer24Hour() Timer fired");
    }
    tracker.checkTrackingTime(false);
}
