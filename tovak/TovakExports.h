#pragma once

// The C interface of the framework service library libtovak.so. The program
// loads the library at run time and binds these exports by name, in the order
// of kTovakExportNames; the function-pointer types below are what it casts
// the looked-up addresses to.
//
// Strings are narrow and NUL-terminated. Functions that fill a caller's
// buffer return the full length of the value (without the NUL) and copy at
// most size - 1 characters plus a NUL, so a return value >= size means the
// buffer was too small. Settings live in the program's config.ini, in the
// subsections named below; a null subsection means the main section.
//
// Note: isLogging and logMessage have C linkage here; do not include this
// header together with app/Trace.h, whose helpers carry the same names.

#include "net/TovakError.h"

#include <stdbool.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(TOVAK_BUILDING_LIBRARY)
#define TOVAK_API __attribute__((visibility("default")))
#else
#define TOVAK_API
#endif

// Removes one subsection of the settings ("Software\...\AppData\<subsection>")
// with all its keys. Refuses an empty subsection (the main section).
TOVAK_API bool DeleteIniAppDataSection(const char* subsection);
TOVAK_API unsigned GetAppDataString(const char* subsection, const char* key,
                                    const char* defaultValue, char* buffer, unsigned size);
TOVAK_API bool SetAppDataString(const char* subsection, const char* key, const char* value);
TOVAK_API int GetAppDataInt(const char* subsection, const char* key, int defaultValue);
TOVAK_API bool SetAppDataInt(const char* subsection, const char* key, int value);
// The key names of a subsection, each NUL-terminated, the list ended by an
// extra NUL. Returns the bytes the whole list needs; copies only whole names.
TOVAK_API unsigned GetAppDataKeyNames(const char* subsection, char* buffer, unsigned size);
// Whether the program starts with the session ("tovak"/"startup", 0 or 1).
TOVAK_API bool SetAppStartupSetting(bool startWithSession);
TOVAK_API bool GetAppStartupSetting(void);
// Named set-up flags ("tovak"/"setup.<name>"), 0 when never set.
TOVAK_API unsigned GetAppSetupFlag(const char* name);
TOVAK_API bool SetAppSetupFlag(const char* name, unsigned value);
// Opaque preference strings of the framework ("tovak"/"appSettings",
// "toastSettings", "displayPreferences").
TOVAK_API unsigned GetAppSettings(char* buffer, unsigned size);
TOVAK_API bool SetAppSettings(const char* settings);
TOVAK_API unsigned GetToastSettings(char* buffer, unsigned size);
TOVAK_API bool SetToastSettings(const char* settings);
// Number of locations the user has stored (0 or 1: the main section's locID).
TOVAK_API int GetUserLocationCount(void);
// Fields of the user's profile ("tovak"/"user.<field>").
TOVAK_API unsigned GetUserInfo(const char* field, char* buffer, unsigned size);
TOVAK_API bool SetUserInfo(const char* field, const char* value);
TOVAK_API unsigned GetDisplayPreferences(char* buffer, unsigned size);
TOVAK_API bool SetDisplayPreferences(const char* preferences);
// Fetches url (http or https only). On success holds the response for
// GetQueryUrlResponse on the same thread and sets its size in bytes; on
// failure returns false and fills error (code 3 and a text).
TOVAK_API bool QueryUrl(const char* url, unsigned* responseSize, TOVAKERROR* error);
// As QueryUrl, with an application/x-www-form-urlencoded POST body.
TOVAK_API bool PostUrl(const char* url, const char* body, unsigned* responseSize,
                       TOVAKERROR* error);
// Copies the response held by this thread's last successful QueryUrl or
// PostUrl. True only when the whole response fitted into size bytes.
TOVAK_API bool GetQueryUrlResponse(char* buffer, unsigned size);
// Whether the configuration service is reachable; answers within about half a
// second and reuses an answer for a few seconds.
TOVAK_API bool ConnectedToInternet(void);
// Downloads url to destinationPath through a temporary file in the same
// folder, renamed into place only when the download is complete.
TOVAK_API bool DownloadFileFromUrl(const char* url, const char* destinationPath, TOVAKERROR* error);
// As DownloadFileFromUrl with a size limit (0: the default limit) and the
// number of bytes written (may be null).
TOVAK_API bool DownloadFileFromUrlEx(const char* url, const char* destinationPath,
                                     unsigned maxBytes, unsigned* downloadedSize,
                                     TOVAKERROR* error);
// Whether trace lines should be written: NIMBORA_LOGGING=1 or 0 decides when
// set, otherwise the setting "tovak"/"logging" (1 = on).
TOVAK_API bool isLogging(void);
// Appends one timestamped line to the log file. Safe from several threads.
// True when the line was written.
TOVAK_API bool logMessage(const char* line);

typedef bool (*PFN_DeleteIniAppDataSection)(const char*);
typedef unsigned (*PFN_GetAppDataString)(const char*, const char*, const char*, char*, unsigned);
typedef bool (*PFN_SetAppDataString)(const char*, const char*, const char*);
typedef int (*PFN_GetAppDataInt)(const char*, const char*, int);
typedef bool (*PFN_SetAppDataInt)(const char*, const char*, int);
typedef unsigned (*PFN_GetAppDataKeyNames)(const char*, char*, unsigned);
typedef bool (*PFN_SetAppStartupSetting)(bool);
typedef bool (*PFN_GetAppStartupSetting)(void);
typedef unsigned (*PFN_GetAppSetupFlag)(const char*);
typedef bool (*PFN_SetAppSetupFlag)(const char*, unsigned);
typedef unsigned (*PFN_GetAppSettings)(char*, unsigned);
typedef bool (*PFN_SetAppSettings)(const char*);
typedef unsigned (*PFN_GetToastSettings)(char*, unsigned);
typedef bool (*PFN_SetToastSettings)(const char*);
typedef int (*PFN_GetUserLocationCount)(void);
typedef unsigned (*PFN_GetUserInfo)(const char*, char*, unsigned);
typedef bool (*PFN_SetUserInfo)(const char*, const char*);
typedef unsigned (*PFN_GetDisplayPreferences)(char*, unsigned);
typedef bool (*PFN_SetDisplayPreferences)(const char*);
typedef bool (*PFN_QueryUrl)(const char*, unsigned*, TOVAKERROR*);
typedef bool (*PFN_PostUrl)(const char*, const char*, unsigned*, TOVAKERROR*);
typedef bool (*PFN_GetQueryUrlResponse)(char*, unsigned);
typedef bool (*PFN_ConnectedToInternet)(void);
typedef bool (*PFN_DownloadFileFromUrl)(const char*, const char*, TOVAKERROR*);
typedef bool (*PFN_DownloadFileFromUrlEx)(const char*, const char*, unsigned, unsigned*,
                                          TOVAKERROR*);
typedef bool (*PFN_isLogging)(void);
typedef bool (*PFN_logMessage)(const char*);

// Positions in the binding order.
enum TovakExport {
    TOVAK_DeleteIniAppDataSection,
    TOVAK_GetAppDataString,
    TOVAK_SetAppDataString,
    TOVAK_GetAppDataInt,
    TOVAK_SetAppDataInt,
    TOVAK_GetAppDataKeyNames,
    TOVAK_SetAppStartupSetting,
    TOVAK_GetAppStartupSetting,
    TOVAK_GetAppSetupFlag,
    TOVAK_SetAppSetupFlag,
    TOVAK_GetAppSettings,
    TOVAK_SetAppSettings,
    TOVAK_GetToastSettings,
    TOVAK_SetToastSettings,
    TOVAK_GetUserLocationCount,
    TOVAK_GetUserInfo,
    TOVAK_SetUserInfo,
    TOVAK_GetDisplayPreferences,
    TOVAK_SetDisplayPreferences,
    TOVAK_QueryUrl,
    TOVAK_PostUrl,
    TOVAK_GetQueryUrlResponse,
    TOVAK_ConnectedToInternet,
    TOVAK_DownloadFileFromUrl,
    TOVAK_DownloadFileFromUrlEx,
    TOVAK_isLogging,
    TOVAK_logMessage,
    TOVAK_EXPORT_COUNT
};

#ifdef __cplusplus
}

// The export names in binding order, indexed by TovakExport.
inline constexpr const char* kTovakExportNames[TOVAK_EXPORT_COUNT] = {
    "DeleteIniAppDataSection",
    "GetAppDataString",
    "SetAppDataString",
    "GetAppDataInt",
    "SetAppDataInt",
    "GetAppDataKeyNames",
    "SetAppStartupSetting",
    "GetAppStartupSetting",
    "GetAppSetupFlag",
    "SetAppSetupFlag",
    "GetAppSettings",
    "SetAppSettings",
    "GetToastSettings",
    "SetToastSettings",
    "GetUserLocationCount",
    "GetUserInfo",
    "SetUserInfo",
    "GetDisplayPreferences",
    "SetDisplayPreferences",
    "QueryUrl",
    "PostUrl",
    "GetQueryUrlResponse",
    "ConnectedToInternet",
    "DownloadFileFromUrl",
    "DownloadFileFromUrlEx",
    "isLogging",
    "logMessage",
};
#endif
