#pragma once

#include <string>

// Reading files that another process may be writing at the same moment.
class FileServices {
public:
    // How long a read waits for the file's named lock before it gives up.
    static constexpr int kLockTimeoutMs = 2000;

    // The whole file as text (cut at a NUL byte, like any C string), read
    // while holding the named lock derived from the file's name (its name and
    // extension only, so every process finds the same lock). False when the
    // file does not exist, the lock is not had within kLockTimeoutMs, the file
    // is larger than the document cap, or the read fails; failures of the read
    // itself are written to the debug output.
    static bool readFromFile(const std::string& path, std::string* result);

    // The name of the lock readFromFile takes for path; writers that want
    // their readers to wait take the same lock.
    static std::string lockNameFor(const std::string& path);

private:
    static bool _reallyReadFromFile(const std::string& file, std::string* result);
};
