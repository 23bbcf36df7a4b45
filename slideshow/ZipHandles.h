#pragma once

#include <string>
#include <utility>
#include <zip.h>

// Move-only owners of libzip's handles; each releases its handle once.

// An open archive. Unless close() succeeds, destruction discards it, so a
// written archive that failed half-way never reaches the disk.
class ZipArchive {
public:
    explicit ZipArchive(zip_t* pArchive = nullptr) : m_pArchive(pArchive) {}
    ZipArchive(ZipArchive&& other) noexcept
        : m_pArchive(std::exchange(other.m_pArchive, nullptr)) {}
    ZipArchive& operator=(ZipArchive&& other) noexcept {
        std::swap(m_pArchive, other.m_pArchive);
        return *this;
    }
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;
    ~ZipArchive() {
        if (m_pArchive != nullptr) {
            zip_discard(m_pArchive);
        }
    }

    zip_t* get() const { return m_pArchive; }

    // Writes pending changes and releases the archive; on failure it stays
    // owned (and is discarded later) and csError says why.
    bool close(std::string& csError) {
        if (zip_close(m_pArchive) != 0) {
            csError = zip_strerror(m_pArchive);
            return false;
        }
        m_pArchive = nullptr;
        return true;
    }

private:
    zip_t* m_pArchive;
};

// One entry opened for reading.
class ZipEntryFile {
public:
    explicit ZipEntryFile(zip_file_t* pFile) : m_pFile(pFile) {}
    ZipEntryFile(ZipEntryFile&& other) noexcept : m_pFile(std::exchange(other.m_pFile, nullptr)) {}
    ZipEntryFile& operator=(ZipEntryFile&& other) noexcept {
        std::swap(m_pFile, other.m_pFile);
        return *this;
    }
    ZipEntryFile(const ZipEntryFile&) = delete;
    ZipEntryFile& operator=(const ZipEntryFile&) = delete;
    ~ZipEntryFile() {
        if (m_pFile != nullptr) {
            zip_fclose(m_pFile);
        }
    }

    zip_file_t* get() const { return m_pFile; }

private:
    zip_file_t* m_pFile;
};

// The text libzip gives for the error code zip_open() reports.
inline std::string zipErrorText(int nCode) {
    zip_error_t error;
    zip_error_init_with_code(&error, nCode);
    std::string csText = zip_error_strerror(&error);
    zip_error_fini(&error);
    return csText;
}
