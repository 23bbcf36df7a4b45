#include "packs/PackInstaller.h"

#include "app/SettingsKeys.h"
#include "app/Trace.h"
#include "net/InternetServices.h"
#include "net/Sha256.h"
#include "packs/PackFolders.h"
#include "platform/DebugOutput.h"
#include "platform/Folders.h"
#include "platform/UniqueFd.h"
#include "slideshow/PackArchive.h"
#include "slideshow/PackValidation.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sstream>
#include <vector>

namespace {

constexpr const char* kTracePrefix = "ImgPackManager::downloadAndInstall(int index) - ";

// An empty file of a unique name beside the destination, which the download
// then replaces; not a *.wxs name, so no listing of packs ever sees it.
std::string reserveTemporaryFile(const std::string& csDestination, std::string& csError) {
    std::string pattern = csDestination + ".download-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    UniqueFd fd(::mkostemp(name.data(), O_CLOEXEC));
    if (!fd) {
        csError = "cannot create a file in the pack folder: " + std::string(std::strerror(errno));
        return {};
    }
    return name.data();
}

bool withinUnpackedBound(const std::string& csPath, std::string& csError) {
    const auto pArchive = PackArchive::open(csPath, csError);
    if (pArchive == nullptr) {
        csError = "the download is not a pack: " + csError;
        return false;
    }
    std::uint64_t nTotal = 0;
    for (const auto& entry : pArchive->entries()) {
        nTotal += entry.second.nSize;
    }
    if (nTotal > kMaxInstalledPackBytes) {
        csError = "the pack would unpack to " + std::to_string(nTotal) + " bytes, more than " +
                  std::to_string(kMaxInstalledPackBytes);
        return false;
    }
    return true;
}

} // namespace

bool isInstallablePackName(const std::string& csFileName) {
    return isPlainFileName(csFileName) && csFileName.size() > 4 && csFileName.ends_with(".wxs") &&
           csFileName.find("..") == std::string::npos && csFileName.front() != '.';
}

void PackInstaller::ping(const std::string& code) const {
    if (m_sendTrackingPing) {
        m_sendTrackingPing(code);
    }
}

bool PackInstaller::install(const ImgPackInfo& pack) {
    m_csError.clear();
    m_csInstalledPath.clear();
    if (pack.dlurl.empty()) {
        return false;
    }
    const std::string csFolder = userPackFolder();
    const std::string csDestination = csFolder + pack.dlurl_lfn;
    ping(pack.tracking_dwnldinit);
    platform::debugOutput("-=-=-= downloading '" + pack.dlurl + "' to '" + csDestination + "'\n");
    if (!isInstallablePackName(pack.dlurl_lfn)) {
        return fail(pack, "",
                    "'" + pack.dlurl_lfn + "' is not a plain pack file name ending in .wxs");
    }
    if (csFolder.empty() || !platform::createFolders(csFolder)) {
        return fail(pack, "", "there is no pack folder for this user (" + csFolder + ")");
    }
    std::string csError;
    const std::string csTemporary = reserveTemporaryFile(csDestination, csError);
    if (csTemporary.empty()) {
        return fail(pack, "", csError);
    }
    InternetServices services;
    if (!services.downloadFileFromURL(pack.dlurl, csTemporary)) {
        const std::string csWhy = services.getErrorText();
        return fail(pack, csTemporary, "the download failed" + (csWhy.empty() ? "" : ": " + csWhy));
    }
    if (!checkDownload(pack, csTemporary)) {
        return fail(pack, csTemporary, m_csError);
    }
    if (std::rename(csTemporary.c_str(), csDestination.c_str()) != 0) {
        return fail(pack, csTemporary,
                    "cannot put the pack in place: " + std::string(std::strerror(errno)));
    }
    m_csInstalledPath = csDestination;
    ping(pack.tracking_dwnldsucc);
    settings::set(settings::kInstalledBy, "promo");
    platform::debugOutput("-=-=-= installed '" + csDestination + "'\n");
    if (isLogging()) {
        logMessage(std::string(kTracePrefix) + "Installed " + csDestination);
    }
    return true;
}

bool PackInstaller::checkDownload(const ImgPackInfo& pack, const std::string& csTemporary) {
    if (!pack.dlurl_sha256.empty()) {
        const std::string csDigest = sha256OfFile(csTemporary, m_csError);
        if (csDigest.empty()) {
            return false;
        }
        if (!sameSha256(csDigest, pack.dlurl_sha256)) {
            m_csError = "the download's SHA-256 " + csDigest + " is not the catalogue's " +
                        pack.dlurl_sha256;
            return false;
        }
    }
    if (!withinUnpackedBound(csTemporary, m_csError)) {
        return false;
    }
    std::ostringstream report;
    if (validatePack(csTemporary, PackValidationOptions{"", true}, report) != 0) {
        m_csError = "the pack does not pass the checks:\n" + report.str();
        return false;
    }
    return true;
}

bool PackInstaller::fail(const ImgPackInfo& pack, const std::string& csTemporary,
                         std::string csError) {
    if (!csTemporary.empty()) {
        std::remove(csTemporary.c_str());
    }
    m_csError = std::move(csError);
    ping(pack.tracking_dwnldfail);
    platform::debugOutput("-=-=-= installing '" + pack.dlurl + "' failed: " + m_csError + "\n");
    if (isLogging()) {
        logMessage(std::string(kTracePrefix) + "Not installed: " + m_csError);
    }
    return false;
}
