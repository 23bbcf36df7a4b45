#include "tovak/TovakSettings.h"

#include "app/SettingsStore.h"

#include <algorithm>

namespace tovak {

int queryTimeoutSeconds() {
    int seconds =
        SettingsStore::GetInt(kTovakSubsection, kQueryTimeoutKey, kDefaultQueryTimeoutSeconds);
    return seconds <= 0 ? kDefaultQueryTimeoutSeconds : std::min(seconds, 300);
}

} // namespace tovak
