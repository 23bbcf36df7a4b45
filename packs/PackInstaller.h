#pragma once

#include "packs/ImgPackInfo.h"

#include <cstdint>
#include <functional>
#include <string>

// Sends a tracking ping with a code from the catalogue.
using TrackingPingSender = std::function<void(const std::string& code)>;

// A downloaded pack is refused when its entries would unpack to more than
// this: checking it reads them all, and the user waits for that.
inline constexpr std::uint64_t kMaxInstalledPackBytes = 1024ull * 1024 * 1024;

// Installs a catalogue pack for this user, which is what Yes in the
// promotional dialog does. What the catalogue's download names is a pack,
// never a program: nothing downloaded is run and no process is started.
//
// The pack is downloaded into a temporary file in the user's pack folder,
// checked against the catalogue's SHA-256 when it gives one, checked with
// the pack loader's own limits (every picture and icon decoding, the icons
// inside the archive), and only then renamed into place under dlurl_lfn,
// which must be a plain file name ending in ".wxs". Any failure removes the
// temporary file and pings dwnld_fail; a pack already there stays as it was.
class PackInstaller {
public:
    explicit PackInstaller(TrackingPingSender sendTrackingPing)
        : m_sendTrackingPing(std::move(sendTrackingPing)) {}

    // True once the pack is in place. A pack without dlurl does nothing.
    bool install(const ImgPackInfo& pack);

    // Why the last install failed; empty after a success.
    const std::string& error() const { return m_csError; }
    // Where the last install put the pack.
    const std::string& installedPath() const { return m_csInstalledPath; }

private:
    bool fail(const ImgPackInfo& pack, const std::string& csTemporary, std::string csError);
    bool checkDownload(const ImgPackInfo& pack, const std::string& csTemporary);
    void ping(const std::string& code) const;

    TrackingPingSender m_sendTrackingPing;
    std::string m_csError;
    std::string m_csInstalledPath;
};

// Whether a catalogue's dlurl_lfn may name an installed pack: a plain file
// name (no folder, no "..", no control characters) ending in ".wxs".
bool isInstallablePackName(const std::string& csFileName);
