#include "packs/SystemProfile.h"

#include "platform/DebugOutput.h"

#include <array>
#include <fstream>
#include <string_view>
#include <sys/utsname.h>

namespace {

constexpr const char* kPrefix = "SystemProfile::GetOsVersionInfo() - ";
// A release file is a few hundred bytes; anything past this is not read.
constexpr std::size_t kMaxReleaseFileBytes = 64 * 1024;

// A value as the release file's shell-like syntax writes it: bare, or in
// double quotes with backslash escapes, or in single quotes.
std::string unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '\'' && value.back() == '\'') {
        return std::string(value.substr(1, value.size() - 2));
    }
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        std::string text;
        value = value.substr(1, value.size() - 2);
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (value[i] == '\\' && i + 1 < value.size()) {
                ++i;
            }
            text += value[i];
        }
        return text;
    }
    return std::string(value);
}

void readOsRelease(const std::string& csPath, SystemProfile::OsVersionInfo& info) {
    std::ifstream in(csPath);
    std::string line;
    std::size_t nRead = 0;
    while (nRead < kMaxReleaseFileBytes && std::getline(in, line)) {
        nRead += line.size() + 1;
        const auto nEquals = line.find('=');
        if (line.empty() || line[0] == '#' || nEquals == std::string::npos) {
            continue;
        }
        const std::string_view key(line.data(), nEquals);
        const std::string value = unquoted(std::string_view(line).substr(nEquals + 1));
        if (key == "NAME") {
            info.osName = value;
        } else if (key == "VERSION_ID") {
            info.osVersionId = value;
        } else if (key == "PRETTY_NAME") {
            info.osPrettyName = value;
        }
    }
}

const char* yesNo(bool b) {
    return b ? "TRUE" : "FALSE";
}

} // namespace

SystemProfile::SystemProfile() : m_info(GetOsVersionInfo()) {
    platform::debugOutput(describe() + "\n");
}

SystemProfile::OsVersionInfo SystemProfile::GetOsVersionInfo(const std::string& csOsReleasePath) {
    OsVersionInfo info;
    struct utsname names {};
    if (uname(&names) == 0) {
        info.sysname = names.sysname;
        info.release = names.release;
        info.version = names.version;
        info.machine = names.machine;
    }
    if (!csOsReleasePath.empty()) {
        readOsRelease(csOsReleasePath, info);
    } else {
        for (const char* szPath : {"/etc/os-release", "/usr/lib/os-release"}) {
            readOsRelease(szPath, info);
            if (!info.osName.empty()) {
                break;
            }
        }
    }
    return info;
}

bool SystemProfile::Is64BitOS() const {
    static constexpr std::array<std::string_view, 10> k64BitMachines = {
        "x86_64",  "amd64", "aarch64", "arm64",   "ppc64",
        "ppc64le", "s390x", "riscv64", "sparc64", "loongarch64"};
    bool bMachine64 = false;
    for (const std::string_view machine : k64BitMachines) {
        bMachine64 = bMachine64 || m_info.machine == machine;
    }
    return bMachine64 && !m_info.bProcess64Bit;
}

std::string SystemProfile::describe() const {
    return std::string(kPrefix) + "sysname = '" + m_info.sysname + "', release = '" +
           m_info.release + "', version = '" + m_info.version + "', machine = '" + m_info.machine +
           "', NAME = '" + m_info.osName + "', VERSION_ID = '" + m_info.osVersionId +
           "', PRETTY_NAME = '" + m_info.osPrettyName +
           "', process = " + (m_info.bProcess64Bit ? "64" : "32") +
           "-bit; isOS_XP = " + yesNo(isOS_XP()) + ", isOSsVista = " + yesNo(isOSsVista()) +
           ", isOsWin7 = " + yesNo(isOsWin7()) + ", Is64BitOS = " + yesNo(Is64BitOS());
}
