#pragma once

#include <map>
#include <string>

// What the settings dialog edits: filled from the settings store before it
// opens and written back only when it ends with OK. The names are the
// dialog's own members.
struct ConfigurationValues {
    std::string m_origLocID;
    std::string m_locID;
    std::string m_origDisplayName;
    std::string m_displayName;
    std::string m_locationText;
    int m_displayImageMethod = 1;
    int m_displayShowAllMethod = 1;
    int m_clearScreen = 0;
    int m_blendImages = 1;
    std::string m_packFolder;
    std::string m_packFileName;
    int m_speed = 1;
    std::string m_tempUnit = "F";
    // Pack file name -> its favourites list, for every pack the dialog touched.
    std::map<std::string, std::string> m_favorites;
};

// "F" or "C" as stored; any other unit reads as "F".
std::string normalisedTempUnit(const std::string& unit);

ConfigurationValues loadConfigurationValues();

// Writes ut, the integers, the location, the current pack and then each
// favourites list in key order.
void storeConfigurationValues(const ConfigurationValues& values);
