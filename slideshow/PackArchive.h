#pragma once

#include "slideshow/ZipHandles.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A pack file opened read-only: a ZIP archive whose entries are looked up
// by exact name. Opening checks the whole central directory once, so a
// damaged or hostile archive is refused up front: too many entries, names
// that try to climb out of the archive or repeat, encrypted entries, sizes
// past the caps below. Reads are bounded by the size the directory declares
// and checked against it (and the CRC) at the end.
class PackArchive {
public:
    static constexpr std::uint64_t kMaxEntries = 20000;
    static constexpr std::uint64_t kMaxEntrySize = 64ull * 1024 * 1024;
    static constexpr std::size_t kMaxNameLength = 255;

    struct Entry {
        std::uint64_t nIndex = 0;
        std::uint64_t nSize = 0;
        std::uint64_t nCompressedSize = 0;
        bool bCompressed = false;
    };

    ~PackArchive();
    PackArchive(const PackArchive&) = delete;
    PackArchive& operator=(const PackArchive&) = delete;

    struct Limits {
        std::uint64_t nMaxEntries;
        std::uint64_t nMaxEntrySize;
    };

    // Null with csError set when the file is missing or not an acceptable
    // archive.
    static std::unique_ptr<PackArchive> open(const std::string& csPath, std::string& csError);
    static std::unique_ptr<PackArchive> open(const std::string& csPath, std::string& csError,
                                             const Limits& limits);

    const std::string& path() const { return m_csPath; }
    const Entry* find(const std::string& csName) const;
    const std::map<std::string, Entry>& entries() const { return m_entries; }

    // Reads a whole entry when it is at most nMaxSize bytes.
    bool read(const std::string& csName, std::uint64_t nMaxSize, std::string& data,
              std::string& csError) const;

private:
    PackArchive(std::string csPath, ZipArchive archive);
    bool indexEntries(const Limits& limits, std::string& csError);

    std::string m_csPath;
    ZipArchive m_archive;
    std::map<std::string, Entry> m_entries;
};

// True when an entry name is a plain relative path: no leading '/', no
// backslash, no empty, "." or ".." component, no control characters.
bool isSafeEntryName(const std::string& csName);
