#include "tovak/AppData.h"

#include "app/SettingsStore.h"
#include "tovak/UniqueFd.h"

// Narrow strings in the system code page, as everywhere in the settings.
#define SI_NO_CONVERSION
#include <SimpleIni.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

namespace tovak {

namespace {

// Loads config.ini; a missing file is an empty document. False when the
// file exists but cannot be read.
bool loadSettings(CSimpleIniA& ini, const std::string& path) {
    ini.SetUnicode(false);
    ini.SetMultiKey(false);
    ini.SetSpaces(false);
    SI_Error result = ini.LoadFile(path.c_str());
    return result >= 0 || (result == SI_FILE && errno == ENOENT);
}

bool writeAll(int fd, const std::string& data) {
    std::size_t written = 0;
    while (written < data.size()) {
        ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes the document to a temporary file beside path and renames it over
// path, so readers see either the old or the new file, never a part.
bool saveSettings(const CSimpleIniA& ini, const std::string& path) {
    std::string text;
    if (ini.Save(text) < 0) {
        return false;
    }
    std::string temporary = path + ".tmp-XXXXXX";
    UniqueFd fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd) {
        return false;
    }
    struct stat info {};
    ::fchmod(fd.get(), ::stat(path.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0644);
    bool ok = writeAll(fd.get(), text) && ::fsync(fd.get()) == 0;
    ok = fd.close() && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
    }
    return ok;
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
    CSimpleIniA ini;
    if (!loadSettings(ini, path)) {
        return false;
    }
    std::string section = SettingsStore::sectionName(subsection);
    if (ini.GetSection(section.c_str()) == nullptr) {
        return true;
    }
    ini.Delete(section.c_str(), nullptr);
    return saveSettings(ini, path);
}

} // namespace tovak
