#include "app/ConfigurationValues.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"

std::string normalisedTempUnit(const std::string& unit) {
    return unit == "F" || unit == "C" ? unit : "F";
}

ConfigurationValues loadConfigurationValues() {
    ConfigurationValues values;
    values.m_origLocID = settings::get(settings::kLocID);
    values.m_locID = values.m_origLocID;
    values.m_origDisplayName = settings::get(settings::kDisplayName);
    values.m_displayName = values.m_origDisplayName;
    values.m_locationText = values.m_origDisplayName;
    values.m_displayImageMethod = settings::get(settings::kDisplayImageMethod);
    values.m_displayShowAllMethod = settings::get(settings::kDisplayShowAllMethod);
    values.m_clearScreen =
        SettingsStore::GetInt(settings::kMainSubsection, settings::kClearScreen.name,
                              settings::kClearScreen.defaultValue);
    values.m_blendImages =
        SettingsStore::GetInt(settings::kMainSubsection, settings::kBlendImages.name,
                              settings::kBlendImages.defaultValue);
    values.m_packFolder = InstallFolder();
    values.m_packFileName = settings::get(settings::kCurrentImagePackFileName);
    values.m_speed = settings::get(settings::kSpeed);
    values.m_tempUnit = settings::temperatureUnit();
    return values;
}

void storeConfigurationValues(const ConfigurationValues& values) {
    settings::set(settings::kTemperatureUnit, normalisedTempUnit(values.m_tempUnit));
    settings::set(settings::kSpeed, values.m_speed);
    settings::set(settings::kDisplayImageMethod, values.m_displayImageMethod);
    settings::set(settings::kDisplayShowAllMethod, values.m_displayShowAllMethod);
    SettingsStore::SetInt(settings::kMainSubsection, settings::kClearScreen.name,
                          values.m_clearScreen);
    SettingsStore::SetInt(settings::kMainSubsection, settings::kBlendImages.name,
                          values.m_blendImages);
    settings::set(settings::kLocID, values.m_locID);
    settings::set(settings::kDisplayName, values.m_displayName);
    settings::set(settings::kCurrentImagePackFileName, values.m_packFileName);
    for (const auto& [packFileName, favorites] : values.m_favorites) {
        // An empty key would name no setting at all.
        if (!packFileName.empty()) {
            SettingsStore::SetString(settings::kMainSubsection, packFileName, favorites);
        }
    }
}
