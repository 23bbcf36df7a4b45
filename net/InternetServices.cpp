#include "net/InternetServices.h"

#include "app/ServiceAddresses.h"
#include "net/FileReplacement.h"
#include "net/FileServices.h"
#include "net/HttpLimits.h"
#include "net/HttpTransfer.h"
#include "platform/DebugOutput.h"
#include "platform/Folders.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <vector>

bool g_bUseDirectQuery = false;

namespace {

const char* const kUserAgent = "Mozilla/4.0 (compatible; MSIE 5.0; Windows NT; DigExt)";

// Document text is assembled from reads of this size; a NUL byte ends the
// text contributed by the read it arrived in, as with C strings.
constexpr std::size_t kReadChunkBytes = 2048;

class ChunkedText {
public:
    explicit ChunkedText(std::string& text) : m_text(text) {}

    void append(std::string_view bytes) {
        while (!bytes.empty()) {
            const std::size_t room = kReadChunkBytes - m_nChunkFill;
            const std::string_view part = bytes.substr(0, room);
            if (!m_bChunkCut) {
                const std::size_t nul = part.find('\0');
                m_text.append(part.substr(0, nul));
                m_bChunkCut = nul != std::string_view::npos;
            }
            m_nChunkFill += part.size();
            bytes.remove_prefix(part.size());
            if (m_nChunkFill == kReadChunkBytes) {
                m_nChunkFill = 0;
                m_bChunkCut = false;
            }
        }
    }

private:
    std::string& m_text;
    std::size_t m_nChunkFill = 0;
    bool m_bChunkCut = false;
};

std::string referer() {
    try {
        return serviceAddresses().configuration;
    } catch (...) {
        return {};
    }
}

HttpTransferOptions documentOptions() {
    const HttpLimits limits = httpLimits();
    HttpTransferOptions options;
    options.csUserAgent = kUserAgent;
    options.csReferer = referer();
    options.nConnectTimeoutMs = limits.nConnectTimeoutMs;
    options.nTotalTimeoutMs = limits.nDocumentTimeoutMs;
    options.nMaxBodyBytes = limits.nMaxDocumentBytes;
    options.nMaxRedirects = limits.nMaxRedirects;
    return options;
}

HttpTransferOptions downloadOptions() {
    const HttpLimits limits = httpLimits();
    HttpTransferOptions options = documentOptions();
    options.nTotalTimeoutMs = limits.nDownloadTimeoutMs;
    options.nStallBytesPerSecond = limits.nStallBytesPerSecond;
    options.nStallSeconds = limits.nStallSeconds;
    options.nMaxBodyBytes = limits.nMaxDownloadBytes;
    return options;
}

std::string readFailureText(const std::string& url, const std::string& reason) {
    return "Failed to read the response from URL " + url + " (" + reason + ")";
}

void ensureFolderOf(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    if (!folder.empty() && !platform::createFolders(folder)) {
        platform::debugOutput("InternetServices::downloadFileFromURL - cannot create the folder " +
                              folder + ", error code = " + std::to_string(errno) + " (" +
                              std::strerror(errno) + ")");
    }
}

const char* downloadFailureText(HttpOutcome outcome) {
    switch (outcome) {
    case HttpOutcome::BadUrl:
        return "URLDownloadToFile() failed (hr == MK_E_SYNTAX)";
    case HttpOutcome::OutOfMemory:
        return "URLDownloadToFile() failed (hr == E_OUTOFMEMORY)";
    default:
        return "URLDownloadToFile() failed";
    }
}

// The URL-to-file download behind both the static form and QueryUrl, which
// bounds it like any other document.
bool downloadToFile(const std::string& sourceUrl, const std::string& destinationPath,
                    const HttpTransferOptions& options, std::uint32_t* downloadedSize,
                    LPTOVAKERROR errorRecord) {
    TOVAKERROR localRecord;
    LPTOVAKERROR record = errorRecord != nullptr ? errorRecord : &localRecord;
    clearTovakError(record);
    std::uint32_t size = 0;
    bool ok = false;
    try {
        if (sourceUrl.empty() || destinationPath.empty()) {
            const std::uint32_t flags = (sourceUrl.empty() ? TOVAKERROR_FLAG_EMPTY_URL : 0) |
                                        (destinationPath.empty() ? TOVAKERROR_FLAG_EMPTY_PATH : 0);
            setTovakError(record, TOVAKERROR_EMPTY_ARGUMENT, flags,
                          sourceUrl.empty() ? "Some Error" : "");
        } else {
            ensureFolderOf(destinationPath);
            FileReplacement file(destinationPath);
            HttpTransferResult result;
            result.csReason = "cannot create a file beside " + destinationPath;
            if (file.isOpen()) {
                result = httpGet(sourceUrl, options,
                                 [&file](std::string_view bytes) { return file.write(bytes); });
            }
            if (result.eOutcome == HttpOutcome::Complete && file.commit()) {
                size = static_cast<std::uint32_t>(file.size());
                ok = true;
            } else {
                setTovakError(record, TOVAKERROR_REQUEST_FAILED, 0,
                              downloadFailureText(result.eOutcome));
                platform::debugOutput("InternetServices::downloadFileFromURL( LPCSTR src, LPCSTR "
                                      "dest, DWORD *size, LPTOVAKERROR err) - " +
                                      sourceUrl + ": " + result.csReason);
            }
        }
    } catch (...) {
        setTovakError(record, TOVAKERROR_EXCEPTION, 0, "An exception was thrown");
        ok = false;
        size = 0;
    }
    if (downloadedSize != nullptr) {
        *downloadedSize = size;
    }
    return ok;
}

// An empty file of a unique name in the temporary folder, or "" when none
// could be made.
std::string createTemporaryFile() {
    std::error_code error;
    std::string pattern = std::filesystem::temp_directory_path(error).string();
    if (error || pattern.empty()) {
        pattern = "/tmp";
    }
    pattern += "/nimbora-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    UniqueFd fd(::mkostemp(name.data(), O_CLOEXEC));
    return fd ? std::string(name.data()) : std::string();
}

} // namespace

InternetServices::InternetServices() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

void InternetServices::setStatusError(std::uint32_t status) {
    m_csError = "HTTP Status = " + std::to_string(status) + mapHTTPStatusCode(status);
}

std::string InternetServices::withCacheBuster(const std::string& url) {
    const char* separator = url.find('?') != std::string::npos ? "&" : "?";
    return url + separator + "rnd=" + std::to_string(std::rand() % 32768);
}

bool InternetServices::QueryUrlDirectly(const std::string& url) {
    if (url.empty()) {
        return false;
    }
    std::string collected;
    bool ok = false;
    try {
        ChunkedText text(collected);
        m_dwHTTPStatus = 0;
        const HttpTransferResult result = httpGet(url, documentOptions(), [&text](auto bytes) {
            text.append(bytes);
            return true;
        });
        switch (result.eOutcome) {
        case HttpOutcome::Complete:
            m_dwHTTPStatus = result.dwStatus;
            ok = true;
            break;
        case HttpOutcome::BadUrl:
        case HttpOutcome::NotOpened:
            m_csError = "Failed to open URL " + url;
            break;
        case HttpOutcome::StatusRejected:
            m_dwHTTPStatus = result.dwStatus;
            setStatusError(result.dwStatus);
            break;
        case HttpOutcome::ReadFailed:
        case HttpOutcome::SinkFailed:
            m_dwHTTPStatus = result.dwStatus;
            m_csError = readFailureText(url, result.csReason);
            break;
        case HttpOutcome::NoStatus:
        case HttpOutcome::OutOfMemory:
            break;
        }
    } catch (...) {
        ok = false;
    }
    m_csResponse = collected;
    return ok;
}

bool InternetServices::QueryUrl(const char* url) {
    if (url == nullptr) {
        return false;
    }
    try {
        m_csResponse.clear();
        const std::string temporaryPath = createTemporaryFile();
        TOVAKERROR record;
        if (!downloadToFile(url, temporaryPath, documentOptions(), nullptr, &record)) {
            m_csError = std::string("Failed at downloadFileFromURL() where URL = '") + url + "'";
            if (!temporaryPath.empty()) {
                std::remove(temporaryPath.c_str());
            }
            return false;
        }
        std::string text;
        const bool ok = readFromFile(temporaryPath, &text);
        if (!ok) {
            m_csError = "Failed to read from file ('" + temporaryPath + "')";
        }
        std::remove(temporaryPath.c_str());
        m_csResponse = ok ? text : std::string();
        return ok;
    } catch (...) {
        platform::debugOutput("InternetServices::QueryUrl( LPCSTR req_url) - Exception");
        return false;
    }
}

bool InternetServices::downloadFileFromURL(const std::string& sourceUrl,
                                           const std::string& destinationPath,
                                           std::uint64_t nMaxBytes, long nTotalTimeoutMs) {
    if (sourceUrl.empty() || destinationPath.empty()) {
        return false;
    }
    try {
        ensureFolderOf(destinationPath);
        const std::string url = withCacheBuster(sourceUrl);
        std::optional<FileReplacement> file;
        auto opened = [&file, &destinationPath] {
            if (!file) {
                file.emplace(destinationPath);
            }
            return file->isOpen();
        };
        HttpTransferOptions options = downloadOptions();
        if (nMaxBytes != 0 && nMaxBytes < options.nMaxBodyBytes) {
            options.nMaxBodyBytes = nMaxBytes;
        }
        if (nTotalTimeoutMs > 0 && nTotalTimeoutMs < options.nTotalTimeoutMs) {
            options.nTotalTimeoutMs = nTotalTimeoutMs;
        }
        const HttpTransferResult result =
            httpGet(url, options, [&file, &opened](std::string_view bytes) {
                return opened() && file->write(bytes);
            });
        m_dwHTTPStatus = result.dwStatus;
        switch (result.eOutcome) {
        case HttpOutcome::Complete:
            return opened() && file->commit();
        case HttpOutcome::StatusRejected:
            setStatusError(result.dwStatus);
            return false;
        case HttpOutcome::ReadFailed:
            m_csError = readFailureText(url, result.csReason);
            return false;
        default:
            return false;
        }
    } catch (...) {
        return false;
    }
}

bool InternetServices::downloadFileFromURL(const std::string& sourceUrl,
                                           const std::string& destinationPath,
                                           std::uint32_t* downloadedSize,
                                           LPTOVAKERROR errorRecord) {
    return downloadToFile(sourceUrl, destinationPath, downloadOptions(), downloadedSize,
                          errorRecord);
}

bool InternetServices::readFromFile(const std::string& path, std::string* result) {
    return FileServices::readFromFile(path, result);
}

bool fetchDocument(InternetServices& services, const std::string& url) {
    if (!g_bUseDirectQuery) {
        if (services.QueryUrl(url.c_str())) {
            return true;
        }
        g_bUseDirectQuery = true;
    }
    return services.QueryUrlDirectly(url);
}
