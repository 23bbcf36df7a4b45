#include "tovak/AppData.h"

#include "app/SettingsStore.h"
#include "platform/DebugOutput.h"
#include "platform/NamedLock.h"
#include "platform/ReplaceFile.h"

// Narrow strings in the system code page, as everywhere in the settings.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tovak {

namespace {

// Writers of config.ini wait this long for each other, as the settings store does.
constexpr int kWriteLockTimeoutMs = 2000;

// Loads config.ini with the settings store's reading rules; a missing file
// is an empty document. False when the file exists but cannot be read.
bool loadSettings(CSimpleIniA& ini, const std::string& path) {
    ini.SetUnicode(false);
    ini.SetMultiKey(false);
    ini.SetMultiLine(false);
    ini.SetQuotes(false);
    ini.SetSpaces(false);
    std::string content;
    if (!platform::readWholeFile(path, content)) {
        return errno == ENOENT;
    }
    return ini.LoadData(content) >= 0;
}

} // namespace

unsigned copyToBuffer(const std::string& value, char* buffer, unsigned size) {
    if (buffer != nullptr && size > 0) {
        std::size_t length = std::min<std::size_t>(value.size(), size - 1);
        std::memcpy(buffer, value.data(), length);
        buffer[length] = '\0';
    }
    return static_cast<unsigned>(value.size());
}

unsigned copyNameList(const std::vector<std::string>& names, char* buffer, unsigned size) {
    std::size_t needed = 1;
    for (const std::string& name : names) {
        needed += name.size() + 1;
    }
    if (buffer != nullptr && size > 0) {
        std::size_t used = 0;
        for (const std::string& name : names) {
            if (used + name.size() + 1 + 1 > size) {
                break; // only whole names, and room for the final NUL
            }
            std::memcpy(buffer + used, name.c_str(), name.size() + 1);
            used += name.size() + 1;
        }
        buffer[used] = '\0';
    }
    return static_cast<unsigned>(needed);
}

std::vector<std::string> appDataKeyNames(const std::string& subsection) {
    CSimpleIniA ini;
    std::vector<std::string> names;
    if (!loadSettings(ini, SettingsStore::settingsFilePath())) {
        return names;
    }
    CSimpleIniA::TNamesDepend keys;
    ini.GetAllKeys(SettingsStore::sectionName(subsection).c_str(), keys);
    keys.sort(CSimpleIniA::Entry::LoadOrder());
    for (const CSimpleIniA::Entry& key : keys) {
        names.emplace_back(key.pItem);
    }
    return names;
}

bool deleteAppDataSection(const std::string& subsection) {
    if (subsection.empty()) {
        return false;
    }
    std::string path = SettingsStore::settingsFilePath();
    // The same lock as the settings store's writers, so no write is lost
    // between our read and our replacement of the file.
    auto lock = platform::NamedLock::acquire(platform::lockNameForFile(path), kWriteLockTimeoutMs);
    if (!lock) {
        platform::debugOutput("DeleteIniAppDataSection: proceeding without the lock of " + path);
    }
    CSimpleIniA ini;
    if (!loadSettings(ini, path)) {
        return false; // replacing a file we could not read would lose it
    }
    std::string section = SettingsStore::sectionName(subsection);
    if (ini.GetSection(section.c_str()) == nullptr) {
        return true;
    }
    ini.Delete(section.c_str(), nullptr);
    std::string content;
    return ini.Save(content) >= 0 && platform::replaceFile(path, content);
}

} // namespace tovak
