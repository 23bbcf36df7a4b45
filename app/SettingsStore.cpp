#include "app/SettingsStore.h"

#include "app/CIni.h"
#include "platform/Folders.h"

namespace {

constexpr const char* kMainSection = "Software\\Nimbora\\Apps\\AppData";
constexpr const char* kSettingsFileName = "config.ini";

// Makes sure the folder of config.ini exists before a write.
void ensureSettingsFolder() {
    std::string folder = UserDataFolder();
    if (!folder.empty()) {
        platform::createFolders(folder);
    }
}

} // namespace

std::string SettingsStore::settingsFilePath() {
    return UserDataFolder() + kSettingsFileName;
}

std::string SettingsStore::sectionName(const std::string& subsection) {
    if (subsection.empty()) {
        return kMainSection;
    }
    return std::string(kMainSection) + "\\" + subsection;
}

std::string SettingsStore::GetString(const std::string& subsection, const std::string& key,
                                     const std::string& defaultValue) {
    CIni ini(settingsFilePath().c_str());
    return ini.GetString(sectionName(subsection).c_str(), key.c_str(), defaultValue.c_str());
}

bool SettingsStore::SetString(const std::string& subsection, const std::string& key,
                              const std::string& value) {
    ensureSettingsFolder();
    CIni ini(settingsFilePath().c_str());
    return ini.WriteString(sectionName(subsection).c_str(), key.c_str(), value.c_str());
}

int SettingsStore::GetInt(const std::string& subsection, const std::string& key, int defaultValue) {
    CIni ini(settingsFilePath().c_str());
    return ini.GetInt(sectionName(subsection).c_str(), key.c_str(), defaultValue, 10);
}

bool SettingsStore::SetInt(const std::string& subsection, const std::string& key, int value) {
    ensureSettingsFolder();
    CIni ini(settingsFilePath().c_str());
    return ini.WriteInt(sectionName(subsection).c_str(), key.c_str(), value, 10);
}

bool SettingsStore::GetBool(const std::string& key, int defaultValue) {
    return GetInt("", key, defaultValue) == 1;
}

std::string UserDataFolder() {
    std::string base = platform::userDataBase();
    return base.empty() ? std::string() : base + "/Nimbora/Screensaver/";
}

std::string InstallFolder() {
    return platform::installFolderBase();
}

std::string LegacyAppsIniPath() {
    std::string base = platform::userDataBase();
    return base.empty() ? std::string() : base + "/Nimbora/Desktop/apps.ini";
}
