#pragma once

// Names this library uses in the settings store and the environment.

namespace tovak {

// Subsection of config.ini holding the library's own settings.
inline constexpr const char* kTovakSubsection = "tovak";
// 1 = write trace lines to the log.
inline constexpr const char* kLoggingKey = "logging";
// Forces logging on (1) or off (0) whatever the setting says.
inline constexpr const char* kLoggingEnvironment = "NIMBORA_LOGGING";
// Total time in seconds a QueryUrl or PostUrl may take (default 20, 1..300).
inline constexpr const char* kQueryTimeoutKey = "queryTimeout";
inline constexpr int kDefaultQueryTimeoutSeconds = 20;
// Log file in the user data folder.
inline constexpr const char* kLogFileName = "screensaver.log";

inline constexpr const char* kStartupKey = "startup";
inline constexpr const char* kSetupFlagPrefix = "setup.";
inline constexpr const char* kUserInfoPrefix = "user.";
inline constexpr const char* kAppSettingsKey = "appSettings";
inline constexpr const char* kToastSettingsKey = "toastSettings";
inline constexpr const char* kDisplayPreferencesKey = "displayPreferences";
// Main-section key of the stored location.
inline constexpr const char* kLocationIdKey = "locID";

// The query timeout from the settings, clamped to its range.
int queryTimeoutSeconds();

} // namespace tovak
