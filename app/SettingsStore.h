#pragma once

#include <string>

// The only persistent store: config.ini in UserDataFolder(), main section
// "Software\Nimbora\Apps\AppData", subsections appended after a '\'.
// Every operation opens the file afresh, so a value written anywhere is seen
// at once everywhere.
class SettingsStore {
public:
    static std::string GetString(const std::string& subsection, const std::string& key,
                                 const std::string& defaultValue);
    // False when nothing was written (see CIni::WriteString).
    static bool SetString(const std::string& subsection, const std::string& key,
                          const std::string& value);
    static int GetInt(const std::string& subsection, const std::string& key, int defaultValue);
    static void SetInt(const std::string& subsection, const std::string& key, int value);
    // True exactly when GetInt of the key in the main section returns 1.
    static bool GetBool(const std::string& key, int defaultValue);

    // UserDataFolder() + "config.ini", or the bare name when there is no folder.
    static std::string settingsFilePath();
    // The INI section of a subsection ("" is the main section).
    static std::string sectionName(const std::string& subsection);
};

// Per-user data folder ending in '/' ("<data home>/Nimbora/Screensaver/"), or empty.
std::string UserDataFolder();
// Install folder ending in '/' (libtovak.so, *.wxs, installers), or empty.
std::string InstallFolder();
// The older desktop application's location file, "<data home>/Nimbora/Desktop/apps.ini".
std::string LegacyAppsIniPath();
