// Reads arbitrary bytes as the older desktop application's apps.ini and
// copies its location into the settings, as the first start does.
#include "FuzzScratch.h"
#include "app/CIni.h"
#include "app/LegacyLocation.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool bPrepared = [] {
        setenv("NIMBORA_DATA_HOME", fuzzing::scratchFolder().c_str(), 1);
        setenv("XDG_RUNTIME_DIR", fuzzing::scratchFolder().c_str(), 1);
        std::filesystem::create_directories(fuzzing::scratchFolder() + "Nimbora/Desktop");
        return true;
    }();
    (void)bPrepared;
    std::error_code ignored;
    std::filesystem::remove(SettingsStore::settingsFilePath(), ignored);
    fuzzing::writeFile(LegacyAppsIniPath(),
                       std::string_view(reinterpret_cast<const char*>(data), size));
    migrateLegacyLocation();

    // What was copied is a location that apps.ini holds, whole.
    const std::string csLocID = settings::get(settings::kLocID);
    const std::string csName = settings::get(settings::kDisplayName);
    if (csLocID.empty() != csName.empty()) {
        fuzzing::fail("half a location was copied");
    }
    if (csLocID.empty()) {
        return 0;
    }
    const CIni legacy(LegacyAppsIniPath().c_str());
    for (int nSlot = 1; nSlot <= kLegacyLocationSlots; ++nSlot) {
        const std::string n = std::to_string(nSlot);
        if (legacy.GetString(kLegacyLocationsSection, ("locid_" + n).c_str(), "") == csLocID &&
            legacy.GetString(kLegacyLocationsSection, ("dispname_" + n).c_str(), "") == csName) {
            return 0;
        }
    }
    fuzzing::fail("the copied location is in no slot of apps.ini");
}
