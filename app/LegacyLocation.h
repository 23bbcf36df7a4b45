#pragma once

// The older desktop application's apps.ini section with its location slots.
inline constexpr const char* kLegacyLocationsSection =
    "Software\\Nimbora\\Apps\\AppData\\locations";
inline constexpr int kLegacyLocationSlots = 5;

// When no location is stored, copies the one the older desktop application
// kept: only the first slot whose "pl_" entry is set is looked at, and its
// id and name are taken only when both are there.
void migrateLegacyLocation();
