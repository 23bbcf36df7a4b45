#include "tovak/AppData.h"

#include "app/CIni.h"
#include "app/SettingsStore.h"

#include <algorithm>
#include <cstring>

namespace tovak {

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
    const CIni ini(SettingsStore::settingsFilePath().c_str());
    return ini.GetKeyNames(SettingsStore::sectionName(subsection).c_str());
}

bool deleteAppDataSection(const std::string& subsection) {
    if (subsection.empty()) {
        return false; // the main section holds the program's own settings
    }
    CIni ini(SettingsStore::settingsFilePath().c_str());
    return ini.DeleteSection(SettingsStore::sectionName(subsection).c_str());
}

} // namespace tovak
