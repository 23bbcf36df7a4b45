#pragma once

#include "platform/UniqueFd.h"

#include <string>
#include <string_view>

// A file written beside its destination under a temporary name and renamed
// over it only when complete, so the destination is either the old file or
// the whole new one, never a truncated one. Dropped without commit(), the
// temporary file is removed.
class FileReplacement {
public:
    explicit FileReplacement(std::string destination);
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;
    ~FileReplacement();

    // False when the temporary file could not be created.
    bool isOpen() const { return static_cast<bool>(m_fd); }
    bool write(std::string_view bytes);
    // Flushes, closes and renames; false (and nothing replaced) on failure.
    bool commit();
    std::uint64_t size() const { return m_nWritten; }
    // errno of the first failure, 0 when none.
    int error() const { return m_nError; }

private:
    std::string m_csDestination;
    std::string m_csTemporary;
    UniqueFd m_fd;
    std::uint64_t m_nWritten = 0;
    int m_nError = 0;
};
