#pragma once

#include <string>

// The only persistent store: config.ini in UserDataFolder(), main section
// "Software\Nimbora\Apps\AppData", subsections appended after a '\'.
// Every operation opens the file afresh, so a value written anywhere is seen
// at once everywhere.
//
// A write either stores its value or leaves the file as it was; it never
// loses a value that another writer, in this or another process, stored
// meanwhile. It fails (false, and a debug line saying why) when the file
// cannot be read or replaced, or when another writer keeps the file's lock
// for more than 5 seconds. After a failed write the setting reads as it did
// before; nothing retries it. Callers that must not lose the value say what
// they do then; the others go on with the old value, which is what the next
// run sees (a tracking time not moved on pings again, a first-launch mark
// not set counts the next run as the first).
class SettingsStore {
public:
    static std::string GetString(const std::string& subsection, const std::string& key,
                                 const std::string& defaultValue);
    // False when nothing was written (see above).
    static bool SetString(const std::string& subsection, const std::string& key,
                          const std::string& value);
    static int GetInt(const std::string& subsection, const std::string& key, int defaultValue);
    // False when nothing was written (see above).
    static bool SetInt(const std::string& subsection, const std::string& key, int value);
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
