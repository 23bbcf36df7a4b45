#include "app/ConfigurationValues.h"

#include "app/SettingsStore.h"

std::string normalisedTempUnit(const std::string& unit) {
    return unit == "F" || unit == "C" ? unit : "F";
}

ConfigurationValues loadConfigurationValues() {
    ConfigurationValues values;
    values.m_origLocID = SettingsStore::GetString("", "locID", "");
    values.m_locID = values.m_origLocID;
    values.m_origDisplayName = SettingsStore::GetString("", "displayName", "");
    values.m_displayName = values.m_origDisplayName;
    values.m_locationText = values.m_origDisplayName;
    values.m_displayImageMethod = SettingsStore::GetInt("", "displayImageMethod", 1);
    values.m_displayShowAllMethod = SettingsStore::GetInt("", "displayShowAllMethod", 1);
    values.m_clearScreen = SettingsStore::GetInt("", "clearScreen", 0);
    values.m_blendImages = SettingsStore::GetInt("", "blendImages", 1);
    values.m_packFolder = InstallFolder();
    values.m_packFileName = SettingsStore::GetString("", "CurrentImagePackFileName", "");
    values.m_speed = SettingsStore::GetInt("", "Speed", 1);
    values.m_tempUnit = normalisedTempUnit(SettingsStore::GetString("", "ut", "F"));
    return values;
}

void storeConfigurationValues(const ConfigurationValues& values) {
    SettingsStore::SetString("", "ut", normalisedTempUnit(values.m_tempUnit));
    SettingsStore::SetInt("", "Speed", values.m_speed);
    SettingsStore::SetInt("", "displayImageMethod", values.m_displayImageMethod);
    SettingsStore::SetInt("", "displayShowAllMethod", values.m_displayShowAllMethod);
    SettingsStore::SetInt("", "clearScreen", values.m_clearScreen);
    SettingsStore::SetInt("", "blendImages", values.m_blendImages);
    SettingsStore::SetString("", "locID", values.m_locID);
    SettingsStore::SetString("", "displayName", values.m_displayName);
    SettingsStore::SetString("", "CurrentImagePackFileName", values.m_packFileName);
    for (const auto& [packFileName, favorites] : values.m_favorites) {
        // An empty key would name no setting at all.
        if (!packFileName.empty()) {
            SettingsStore::SetString("", packFileName, favorites);
        }
    }
}
