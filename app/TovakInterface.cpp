#include "app/TovakInterface.h"

#include "platform/DebugOutput.h"
#include "platform/DynamicLibrary.h"
#include "platform/Folders.h"
#include "platform/MessageBox.h"
#include "tovak/TovakExports.h"

#include <array>
#include <mutex>
#include <vector>

TovakInterface* g_pTovakInterface = nullptr;

namespace {

constexpr const char* kLibraryFileName = "libtovak.so";
constexpr const char* kUnnamedApplication = "<appName not defined>";
constexpr const char* kNotLoadedText = "The TOVAK DLL was not loaded";

std::string libraryPathFor(const std::string& libraryFolder) {
    std::string folder = libraryFolder.empty() ? platform::executableFolder() : libraryFolder;
    if (!folder.empty() && folder.back() != '/') {
        folder += '/';
    }
    return folder + kLibraryFileName;
}

} // namespace

struct TovakInterface::Impl {
    std::string m_csApplicationName;
    platform::DynamicLibrary m_library;
    std::array<void*, TOVAK_EXPORT_COUNT> m_pExports{};
    std::once_flag m_loggingAsked;
    bool m_bLogging = false;

    // The bound export, or null when the library or the export is missing.
    template <typename Function>
    Function exported(TovakExport which) const {
        return reinterpret_cast<Function>(m_pExports[which]);
    }

    void bindExports();
    void reportLoadFailure(const std::string& path) const;
};

void TovakInterface::Impl::bindExports() {
    std::string missing;
    for (int i = 0; i < TOVAK_EXPORT_COUNT; ++i) {
        m_pExports[i] = m_library.symbol(kTovakExportNames[i]);
        if (m_pExports[i] == nullptr) {
            missing += ' ';
            missing += kTovakExportNames[i];
        }
    }
    if (!missing.empty()) {
        platform::showMessageBox("Error", "Unable to load function(s) " + missing);
    }
}

void TovakInterface::Impl::reportLoadFailure(const std::string& path) const {
    std::string text = "\n\nUnable to load library " + std::string(kLibraryFileName) +
                       ". Attempted to load " + path +
                       ". Err code: " + std::to_string(m_library.lastErrorCode());
    platform::showMessageBox("Error", text);
    platform::debugOutput(text + ", " + m_library.lastError() + "\n\n");
}

TovakInterface::TovakInterface(const char* applicationName, const std::string& libraryFolder)
    : m_pImpl(new Impl) {
    m_pImpl->m_csApplicationName = (applicationName == nullptr || applicationName[0] == '\0')
                                       ? kUnnamedApplication
                                       : applicationName;
    std::string path = libraryPathFor(libraryFolder);
    m_pImpl->m_library = platform::DynamicLibrary(path);
    if (m_pImpl->m_library.isLoaded()) {
        platform::debugOutput("\nLoaded " + path + " with smashing success.\n\n");
        m_pImpl->bindExports();
    } else {
        m_pImpl->reportLoadFailure(path);
    }
}

TovakInterface::~TovakInterface() {
    delete m_pImpl;
}

bool TovakInterface::isLoaded() const {
    return m_pImpl->m_library.isLoaded();
}

bool TovakInterface::isLogging() {
    std::call_once(m_pImpl->m_loggingAsked, [this] {
        auto ask = m_pImpl->exported<PFN_isLogging>(TOVAK_isLogging);
        m_pImpl->m_bLogging = ask != nullptr && ask();
    });
    return m_pImpl->m_bLogging;
}

void TovakInterface::logMessage(const std::string& text) {
    auto write = m_pImpl->exported<PFN_logMessage>(TOVAK_logMessage);
    if (write == nullptr || !isLogging()) {
        return;
    }
    write((m_pImpl->m_csApplicationName + ": " + text).c_str());
}

bool TovakInterface::connectedToInternet() {
    auto ask = m_pImpl->exported<PFN_ConnectedToInternet>(TOVAK_ConnectedToInternet);
    return ask != nullptr && ask();
}

std::string TovakInterface::queryUrl(const std::string& url, LPTOVAKERROR errorRecord) {
    auto query = m_pImpl->exported<PFN_QueryUrl>(TOVAK_QueryUrl);
    auto response = m_pImpl->exported<PFN_GetQueryUrlResponse>(TOVAK_GetQueryUrlResponse);
    if (query == nullptr || response == nullptr) {
        setTovakError(errorRecord, TOVAKERROR_NOT_LOADED, 0, kNotLoadedText);
        return std::string();
    }
    unsigned size = 0;
    if (!query(url.c_str(), &size, errorRecord)) {
        return std::string();
    }
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
    if (!response(buffer.data(), size)) {
        // An empty answer must not look like a successful one.
        setTovakError(errorRecord, TOVAKERROR_REQUEST_FAILED, 0,
                      "The response of the query could not be read");
        return std::string();
    }
    return std::string(buffer.data());
}
