#pragma once

#include <string>

// What the program knows of the operating system it runs on: the kernel's
// answers (uname) and the distribution's release file. No Windows version
// test holds here; the promotion's installation never depends on them.
class SystemProfile {
public:
    struct OsVersionInfo {
        std::string sysname; // "Linux"
        std::string release; // the kernel's release
        std::string version; // the kernel's build text
        std::string machine; // "x86_64", "aarch64", "i686", ...
        // From /etc/os-release (or /usr/lib/os-release); empty when absent.
        std::string osName;
        std::string osVersionId;
        std::string osPrettyName;
        // This program's own pointer width.
        bool bProcess64Bit = sizeof(void*) == 8;
    };

    // Probes the system and writes the description to the debug output.
    SystemProfile();
    // Over values already known (tests); writes nothing.
    explicit SystemProfile(OsVersionInfo info) : m_info(std::move(info)) {}

    bool isOS_XP() const { return false; }
    bool isOSsVista() const { return false; }
    bool isOsWin7() const { return false; }
    // A 32-bit program on a 64-bit system.
    bool Is64BitOS() const;

    const OsVersionInfo& info() const { return m_info; }
    // One line: the fields and the answers.
    std::string describe() const;

    // The probe itself, reading the release file at csOsReleasePath (the
    // standard places when empty).
    static OsVersionInfo GetOsVersionInfo(const std::string& csOsReleasePath = "");

private:
    OsVersionInfo m_info;
};
