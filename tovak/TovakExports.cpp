// The exported C functions. Each one is a thin shim over the library's C++
// internals and lets no exception escape into the caller.

#include "tovak/TovakExports.h"

#include "app/SettingsStore.h"
#include "tovak/AppData.h"
#include "tovak/Connectivity.h"
#include "tovak/FileDownload.h"
#include "tovak/LogFile.h"
#include "tovak/TovakSettings.h"
#include "tovak/UrlQuery.h"

#include <cstdlib>

using namespace tovak;

namespace {

template <typename Result, typename Body>
Result guarded(Result fallback, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

template <typename Body>
bool guardedWithRecord(TOVAKERROR* error, Body body) noexcept {
    try {
        return body();
    } catch (...) {
        setTovakError(error, TOVAKERROR_EXCEPTION, 0, "An unexpected error occurred");
        return false;
    }
}

bool hasText(const char* text) {
    return text != nullptr && text[0] != '\0';
}

unsigned readString(const std::string& key, char* buffer, unsigned size) {
    return copyToBuffer(SettingsStore::GetString(kTovakSubsection, key, ""), buffer, size);
}

} // namespace

bool DeleteIniAppDataSection(const char* subsection) {
    return guarded(false, [&] { return deleteAppDataSection(textOf(subsection)); });
}

unsigned GetAppDataString(const char* subsection, const char* key, const char* defaultValue,
                          char* buffer, unsigned size) {
    return guarded(0u, [&] {
        std::string value =
            hasText(key) ? SettingsStore::GetString(textOf(subsection), key, textOf(defaultValue))
                         : textOf(defaultValue);
        return copyToBuffer(value, buffer, size);
    });
}

bool SetAppDataString(const char* subsection, const char* key, const char* value) {
    return guarded(false, [&] {
        return hasText(key) && SettingsStore::SetString(textOf(subsection), key, textOf(value));
    });
}

int GetAppDataInt(const char* subsection, const char* key, int defaultValue) {
    return guarded(defaultValue, [&] {
        return hasText(key) ? SettingsStore::GetInt(textOf(subsection), key, defaultValue)
                            : defaultValue;
    });
}

bool SetAppDataInt(const char* subsection, const char* key, int value) {
    return guarded(false, [&] {
        return hasText(key) &&
               SettingsStore::SetString(textOf(subsection), key, std::to_string(value));
    });
}

unsigned GetAppDataKeyNames(const char* subsection, char* buffer, unsigned size) {
    return guarded(0u,
                   [&] { return copyNameList(appDataKeyNames(textOf(subsection)), buffer, size); });
}

bool SetAppStartupSetting(bool startWithSession) {
    return guarded(false, [&] {
        return SettingsStore::SetString(kTovakSubsection, kStartupKey,
                                        startWithSession ? "1" : "0");
    });
}

bool GetAppStartupSetting(void) {
    return guarded(false,
                   [] { return SettingsStore::GetInt(kTovakSubsection, kStartupKey, 0) == 1; });
}

unsigned GetAppSetupFlag(const char* name) {
    return guarded(0u, [&] {
        if (!hasText(name)) {
            return 0u;
        }
        std::string value =
            SettingsStore::GetString(kTovakSubsection, std::string(kSetupFlagPrefix) + name, "0");
        return static_cast<unsigned>(std::strtoul(value.c_str(), nullptr, 10));
    });
}

bool SetAppSetupFlag(const char* name, unsigned value) {
    return guarded(false, [&] {
        return hasText(name) &&
               SettingsStore::SetString(kTovakSubsection, std::string(kSetupFlagPrefix) + name,
                                        std::to_string(value));
    });
}

unsigned GetAppSettings(char* buffer, unsigned size) {
    return guarded(0u, [&] { return readString(kAppSettingsKey, buffer, size); });
}

bool SetAppSettings(const char* settings) {
    return guarded(false, [&] {
        return SettingsStore::SetString(kTovakSubsection, kAppSettingsKey, textOf(settings));
    });
}

unsigned GetToastSettings(char* buffer, unsigned size) {
    return guarded(0u, [&] { return readString(kToastSettingsKey, buffer, size); });
}

bool SetToastSettings(const char* settings) {
    return guarded(false, [&] {
        return SettingsStore::SetString(kTovakSubsection, kToastSettingsKey, textOf(settings));
    });
}

int GetUserLocationCount(void) {
    return guarded(0,
                   [] { return SettingsStore::GetString("", kLocationIdKey, "").empty() ? 0 : 1; });
}

unsigned GetUserInfo(const char* field, char* buffer, unsigned size) {
    return guarded(0u, [&] {
        std::string value = hasText(field)
                                ? SettingsStore::GetString(kTovakSubsection,
                                                           std::string(kUserInfoPrefix) + field, "")
                                : std::string();
        return copyToBuffer(value, buffer, size);
    });
}

bool SetUserInfo(const char* field, const char* value) {
    return guarded(false, [&] {
        return hasText(field) &&
               SettingsStore::SetString(kTovakSubsection, std::string(kUserInfoPrefix) + field,
                                        textOf(value));
    });
}

unsigned GetDisplayPreferences(char* buffer, unsigned size) {
    return guarded(0u, [&] { return readString(kDisplayPreferencesKey, buffer, size); });
}

bool SetDisplayPreferences(const char* preferences) {
    return guarded(false, [&] {
        return SettingsStore::SetString(kTovakSubsection, kDisplayPreferencesKey,
                                        textOf(preferences));
    });
}

#ifndef TOVAK_OMIT_QueryUrl
bool QueryUrl(const char* url, unsigned* responseSize, TOVAKERROR* error) {
    return guardedWithRecord(error,
                             [&] { return queryUrl(url, std::nullopt, responseSize, error); });
}
#endif

#ifndef TOVAK_OMIT_PostUrl
bool PostUrl(const char* url, const char* body, unsigned* responseSize, TOVAKERROR* error) {
    return guardedWithRecord(error,
                             [&] { return queryUrl(url, textOf(body), responseSize, error); });
}
#endif

#ifndef TOVAK_OMIT_GetQueryUrlResponse
bool GetQueryUrlResponse(char* buffer, unsigned size) {
    return guarded(false, [&] { return copyHeldResponse(buffer, size); });
}
#endif

#ifndef TOVAK_OMIT_ConnectedToInternet
bool ConnectedToInternet(void) {
    return guarded(false, [] { return configurationServiceReachable(); });
}
#endif

bool DownloadFileFromUrl(const char* url, const char* destinationPath, TOVAKERROR* error) {
    return guardedWithRecord(error,
                             [&] { return downloadFile(url, destinationPath, 0, nullptr, error); });
}

bool DownloadFileFromUrlEx(const char* url, const char* destinationPath, unsigned maxBytes,
                           unsigned* downloadedSize, TOVAKERROR* error) {
    return guardedWithRecord(
        error, [&] { return downloadFile(url, destinationPath, maxBytes, downloadedSize, error); });
}

#ifndef TOVAK_OMIT_isLogging
bool isLogging(void) {
    return guarded(false, [] { return loggingEnabled(); });
}
#endif

#ifndef TOVAK_OMIT_logMessage
bool logMessage(const char* line) {
    return guarded(false, [&] {
        static LogFile log;
        return line != nullptr && log.append(logFilePath(), line);
    });
}
#endif
