#pragma once

#include "app/ServiceAddresses.h"
#include "app/SettingsStore.h"

#include <string>

// Every key of config.ini with its type and the default a reader uses when the
// key is absent. Subsections are relative to the main section
// "Software\Nimbora\Apps\AppData" ("" is the main section itself).
namespace settings {

struct StringKey {
    const char* subsection;
    const char* name;
    const char* defaultValue;
};

struct IntKey {
    const char* subsection;
    const char* name;
    int defaultValue;
};

// An integer that counts as true only when it equals 1; main section only.
struct BoolKey {
    const char* name;
    int defaultValue;
};

inline constexpr const char* kMainSubsection = "";
inline constexpr const char* kPromotionStateSubsection = "IP";
inline constexpr const char* kPromoSubsection = "promo";

// --- main section ---
// Location identifier from the location search, and the name shown in the panel.
inline constexpr StringKey kLocID{kMainSubsection, "locID", ""};
inline constexpr StringKey kDisplayName{kMainSubsection, "displayName", ""};
// How photographs are picked, and the order of the show-all method.
inline constexpr IntKey kDisplayImageMethod{kMainSubsection, "displayImageMethod", 1};
inline constexpr IntKey kDisplayShowAllMethod{kMainSubsection, "displayShowAllMethod", 1};
inline constexpr BoolKey kClearScreen{"clearScreen", 0};
inline constexpr BoolKey kBlendImages{"blendImages", 1};
// Position of the image-change speed.
inline constexpr IntKey kSpeed{kMainSubsection, "Speed", 1};
// Temperature unit "F" or "C"; see temperatureUnit().
inline constexpr StringKey kTemperatureUnit{kMainSubsection, "ut", "F"};
// File name (no folder) of the current image pack in InstallFolder().
inline constexpr StringKey kCurrentImagePackFileName{kMainSubsection, "CurrentImagePackFileName",
                                                     ""};
// Written by the installer, never by the program.
inline constexpr StringKey kInstallId{kMainSubsection, "installid", ""};
inline constexpr StringKey kLastInstalledImagePackFileName{kMainSubsection,
                                                           "LastInstalledImagePackFileName", ""};
// First-launch marker: "false" after the first full-screen run.
inline constexpr StringKey kFirstLaunch{kMainSubsection, "ftl", ""};
// Time of the next daily ping, seconds since 1970-01-01 UTC.
inline constexpr IntKey kTrackTime{kMainSubsection, "trackT", 0};
// The same time as ctime text, for people; never read.
inline constexpr StringKey kTrackTimeText{kMainSubsection, "trackT2", ""};
// "promo" once an installer was downloaded from the promotional dialog.
inline constexpr StringKey kInstalledBy{kMainSubsection, "insby_ext", ""};
// The favourites list of a pack is stored in the main section under the
// pack's file name itself ("%02d,%02d" entries joined by ';').
inline constexpr const char* kFavouritesDefault = "";

// --- subsection "IP": the ask-me-later state of the promotion ---
inline constexpr StringKey kAskMeLaterActivePackId{kPromotionStateSubsection,
                                                   "askmelateractivepackid", ""};
inline constexpr IntKey kAskMeLaterCountDown{kPromotionStateSubsection, "askmelatercountdown", -1};

// --- subsection "IP\<id>_<unique value>" of each promoted pack ---
// ctime text of the moment the user declined that promotion.
inline constexpr const char* kDeclinedKey = "declined";
inline constexpr const char* kDeclinedDefault = "";
inline std::string packPromotionSubsection(const std::string& packId,
                                           const std::string& promoUniqueValue) {
    return std::string(kPromotionStateSubsection) + "\\" + packId + "_" + promoUniqueValue;
}

// --- subsection "promo" ---
// Path of a downloaded installer left for a later run to start.
inline constexpr StringKey kToInstall{kPromoSubsection, "toinstall", ""};

// --- subsection "services": base addresses of the web services (see
// serviceAddresses(), which drops a trailing '/') ---
inline constexpr StringKey kObservationService{kServicesSubsection, "observation",
                                               kDefaultServiceAddress};
inline constexpr StringKey kSearchService{kServicesSubsection, "search", kDefaultServiceAddress};
inline constexpr StringKey kConfigurationService{kServicesSubsection, "configuration",
                                                 kDefaultServiceAddress};
inline constexpr StringKey kTrackingService{kServicesSubsection, "tracking",
                                            kDefaultServiceAddress};
inline constexpr StringKey kWebService{kServicesSubsection, "web", kDefaultServiceAddress};

// Reads and writes through the store with the table's defaults. A write
// answers false when nothing was stored (see SettingsStore).
inline std::string get(const StringKey& key) {
    return SettingsStore::GetString(key.subsection, key.name, key.defaultValue);
}
inline bool set(const StringKey& key, const std::string& value) {
    return SettingsStore::SetString(key.subsection, key.name, value);
}
inline int get(const IntKey& key) {
    return SettingsStore::GetInt(key.subsection, key.name, key.defaultValue);
}
inline bool set(const IntKey& key, int value) {
    return SettingsStore::SetInt(key.subsection, key.name, value);
}
inline bool get(const BoolKey& key) {
    return SettingsStore::GetBool(key.name, key.defaultValue);
}
inline bool set(const BoolKey& key, bool value) {
    return SettingsStore::SetInt(kMainSubsection, key.name, value ? 1 : 0);
}

// The stored unit when it is exactly "C" or "F", else "F".
inline std::string temperatureUnit() {
    std::string unit = get(kTemperatureUnit);
    return unit == "C" ? unit : std::string("F");
}

} // namespace settings
