#include "app/LegacyLocation.h"

#include "app/CIni.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "platform/Folders.h"

#include <string>

void migrateLegacyLocation() {
    if (!settings::get(settings::kLocID).empty() &&
        !settings::get(settings::kDisplayName).empty()) {
        return;
    }
    const std::string path = LegacyAppsIniPath();
    if (path.empty() || !platform::fileExists(path)) {
        return;
    }
    CIni legacy(path.c_str());
    for (int slot = 1; slot <= kLegacyLocationSlots; ++slot) {
        const std::string number = std::to_string(slot);
        if (legacy.GetString(kLegacyLocationsSection, ("pl_" + number).c_str(), "").empty()) {
            continue;
        }
        const std::string locID =
            legacy.GetString(kLegacyLocationsSection, ("locid_" + number).c_str(), "");
        const std::string displayName =
            legacy.GetString(kLegacyLocationsSection, ("dispname_" + number).c_str(), "");
        if (!locID.empty() && !displayName.empty()) {
            settings::set(settings::kLocID, locID);
            settings::set(settings::kDisplayName, displayName);
        }
        return;
    }
}
