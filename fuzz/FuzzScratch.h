#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fuzzing {

// A private folder for the files a target writes, made once per process; on
// /dev/shm when there is one, so that flushes to disk cost nothing.
inline const std::string& scratchFolder() {
    static const std::string folder = [] {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/nimbora-fuzz-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return pattern + "/";
    }();
    static const bool bCleanedUpAtExit = std::atexit([] {
                                             std::error_code ignored;
                                             std::filesystem::remove_all(scratchFolder(), ignored);
                                         }) == 0;
    (void)bCleanedUpAtExit;
    return folder;
}

inline void writeFile(const std::string& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
}

// Stops the run with a message: libFuzzer keeps the input as a crash.
[[noreturn]] inline void fail(const std::string& what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

} // namespace fuzzing
